// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// One entry of a recent list; cuRecentFiles keeps the fields current.
class cuRecentFile {
public:
    QString FullPath;        // the path as added
    QString Name;            // "File " and the 1-based position: the value name in the store
    QString ShortPathString; // what the menu shows
};
