// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "browser/FileInfoText.h"

#include <QDateTime>

class FileInfo;
class FileVersionInfo;

// What the preview area shows for a file.
enum class PreviewKind { Picture, Text, None };

// The rows of the information pane for one file: nine attribute rows, then,
// when the file has a version resource, a separator row and ten version rows.
class FileInfoRows {
public:
    static QList<FileInfoRow> Build(const QString& fullPath);
    static QList<FileInfoRow> AttributeRows(const FileInfo& info);
    static QList<FileInfoRow> VersionRows(const FileVersionInfo& version);
    // A picture when the picture support takes it, else text for "txt" and
    // "ini" files (letter case ignored), else none.
    static PreviewKind PreviewOf(const QString& fileName, bool isPicture);
    // "dd.mm.yy hh:nn:ss"; empty where the file system keeps no such time.
    static QString FormatTime(const QDateTime& time);
};
