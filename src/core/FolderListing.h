// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/FilePattern.h"

#include <QString>
#include <QStringList>

// Reads one folder the way the browser's boxes show it: no dot-files, plain
// files for the file box and folders for the folder box, sorted by name
// ignoring case with ties broken by the exact name.
class FolderListing {
public:
    // Names of the regular files (symbolic links to them included) matching the pattern.
    static QStringList Files(const QString& folder, const FilePattern& pattern);
    // Names of the sub-folders (links to folders included).
    static QStringList Folders(const QString& folder);
    // True at the first regular file that matches; stops reading there.
    static bool HasFile(const QString& folder, const FilePattern& pattern);
    static void SortNames(QStringList& names);

private:
    enum class Kind { File, Folder };
    static QStringList List(const QString& folder, Kind kind, const FilePattern* pattern,
                            bool firstOnly);
};
