// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One command of the user's own "Öffnen" menu: its caption (the settings
// key's name, "&" marks the access key), the command line with "%1" for the
// file and the extensions it is offered for (empty: every file).
struct UserMenuEntry {
    QString caption;
    QString cmdLine;
    QString mask;
};

// The user file menu: the commands the user stored under "UserFileMenu",
// which files each is offered for, and starting one on a file.
//
// A command line is split into arguments before "%1" is replaced, and the
// program is started directly, without a shell: whatever a file name holds
// (blanks, quotes, "$(...)", ";") reaches the program as one argument and is
// never interpreted.
class pUserFileMenu {
public:
    // Reads the entries in the store's order; entries without a command
    // line are skipped.
    void Init();
    const QList<UserMenuEntry>& Entries() const { return m_entries; }
    // The entry whose caption is `caption`, with or without its access key
    // marks, ignoring case; null when there is none.
    const UserMenuEntry* Find(const QString& caption) const;

    // Whether the entry is offered for the file: its mask lists the
    // extension of the file's name, ignoring case, or it has no mask.
    static bool Applies(const UserMenuEntry& entry, const QString& fileName);
    static bool HasPlaceholder(const QString& cmdLine);
    // Blanks and tabs separate arguments; a double quote opens or closes a
    // quoted part and is dropped; "" alone is an empty argument; an
    // unclosed quote runs to the end. A backslash is an ordinary character.
    static QStringList SplitArguments(const QString& cmdLine);
    // The arguments the command starts for the file (split, then every "%1"
    // replaced by the path); the first one is the program.
    static QStringList Arguments(const QString& cmdLine, const QString& path);
    // Starts the entry on the file (an absolute path), detached, in the
    // file's folder. False when the command line lacks "%1" (nothing runs);
    // raises with a German text when the program is missing, cannot be
    // executed or does not start.
    static bool Run(const UserMenuEntry& entry, const QString& path);

private:
    QList<UserMenuEntry> m_entries;
};
