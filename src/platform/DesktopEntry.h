// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// What the desktop says about applications: the default application for a
// MIME type (mimeapps.list) and the command line of a .desktop file. Both
// files come from outside the program and are read defensively: size-capped,
// any malformed line or quote simply gives no command.
class DesktopEntry {
public:
    // Path of the .desktop file of the default application for `mimeType`,
    // empty when the desktop names none that is installed.
    static QString defaultApplicationFor(const QString& mimeType);

    // Program and arguments to open `file` with the application of a .desktop
    // file; empty when the file has no usable Exec line.
    static QStringList commandFor(const QString& desktopFile, const QString& file);

    // The value of `key` in `[group]` of a desktop-style text (the last
    // occurrence wins, as later lines override); empty when missing.
    static QString groupValue(const QString& text, const QString& group, const QString& key);
    // Splits an Exec value into arguments and fills the field codes (%f %F %u
    // %U with `file`, %c with `name`, %k with the .desktop path; %% is "%",
    // the rest dropped). Without a file code the file is appended. Empty on a
    // malformed value (an unclosed quote) or one that names no program.
    static QStringList expandExec(const QString& exec, const QString& file,
                                  const QString& name = {}, const QString& desktopFile = {});
};
