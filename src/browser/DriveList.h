// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// The drive box's entries: the mounted volumes a user browses, without the
// kernel's pseudo file systems. The drive of a path is the root of the volume
// that holds it.
class DriveList {
public:
    struct Drive {
        QString rootPath; // with a trailing "/"
        QString caption;  // what the drive box shows
    };
    static QList<Drive> Volumes();
    // The mount root of the volume holding `path`, with a trailing "/";
    // empty when the path does not exist.
    static QString DriveOf(const QString& path);
    // True when the volume can be read now (a drive box change checks this).
    static bool IsReady(const QString& rootPath);
};
