// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

class FileInfo;
class FileVersionInfo;

// One information row: a label and its value.
struct FileInfoRow {
    QString label;
    QString value;
};

// The information rows of one file, as the main window's pane shows them and
// `tolvane-cli info` prints them: nine rows from the file record, then, when
// the file has a version resource, a separator row and ten version rows.
class FileInfoRows {
public:
    // Empty when there is no such entry. A folder has no version rows.
    static QList<FileInfoRow> Build(const QString& fullPath);
    static QList<FileInfoRow> AttributeRows(const FileInfo& info);
    static QList<FileInfoRow> VersionRows(const FileVersionInfo& version);
    // 15 "-" beside 25 "-": what stands between the groups of rows.
    static FileInfoRow Separator();
    // "dd.mm.yy hh:nn:ss" in local time; empty where the file system keeps no such time.
    static QString FormatTime(const QDateTime& time);
};
