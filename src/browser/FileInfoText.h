// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fileinfo/FileInfoRows.h"

#include <QList>
#include <QString>

// The clipboard texts of the information pane's copy commands: the path, a
// line of "*" as long as the path, then the rows; lines end in CR LF, the
// last one does not.
class FileInfoText {
public:
    // Every row, the labels padded with blanks to the longest label plus one.
    static QString CopyAll(const QString& fullPath, const QList<FileInfoRow>& rows);
    // Only the given row, label and value separated by a tab; null: no row.
    static QString CopyCurrent(const QString& fullPath, const FileInfoRow* row);
};
