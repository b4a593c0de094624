// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What "/Slideshow PATH" would show, worked out without a window: the
// pictures of a folder, or of the folders a slideshow command file names,
// with the file's options, and the messages the run tells the user on the
// way. The window's runner shows the messages as boxes; the companion
// prints them.
//
// A command file is a CNF document:
//     [Options]
//     Interval=5        ; below 1000: seconds, else milliseconds
//     BackColor=255     ; decimal, red in the low byte
//     Maximize=1
//     [Folders]
//     1=/home/anna/Bilder
//     Urlaub            ; relative to the command file's folder
struct SlideshowPlan {
    struct Notice {
        qint32 message = 0; // 143, 152 or 156
        QString argument;
        int style = 0; // message box style
    };

    bool validPath = false; // false: no absolute path came of it; the run declines
    QStringList files;      // full paths, in the order found (the show sorts them)
    qint32 interval = 0;    // milliseconds from the command file; 0: none
    qint32 backColor = -1;  // colour from the command file; -1: none
    bool maximize = false;
    QList<Notice> notices; // in the order the run tells them

    // `currentFolder` is what a relative PATH counts from; `pattern` the
    // picture files ("*.bmp;*.jpg"). A command file that cannot be read,
    // or whose interval is no number, raises.
    static SlideshowPlan Make(const QString& path, const QString& currentFolder,
                              const QString& pattern);
    // An absolute, tidy path for `path` seen from `baseFolder`.
    static QString Absolute(const QString& path, const QString& baseFolder);

private:
    void AddFolder(const QString& folder, const QString& pattern);
    void ReadCommandFile(const QString& path, const QString& pattern);
    void Tell(qint32 message, const QString& argument);
};
