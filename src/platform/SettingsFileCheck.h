// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

struct sqlite3;

// Looks at the settings file before the program trusts it, and moves a damaged
// one out of the way. Nothing here ever deletes a file.
class SettingsFileCheck {
public:
    enum State {
        Usable,      // a sound settings database, or no file yet
        Damaged,     // not a database, or one that fails SQLite's quick check
        Unavailable, // cannot be used now (no permission, locked, another program's database ...)
    };

    // Checks the header and runs PRAGMA quick_check on its own connection,
    // then the file's identity before anything may change it: Tolvane's
    // application id, or no id and nothing in it at all (a new database).
    // Another program's database and a newer Tolvane database are
    // Unavailable. `detail` says in German why the file is not usable.
    static State inspect(const QString& path, QString& detail);

    // Renames a damaged file (and its journal companions) to
    // "<name>.defekt-YYYYMMDD-HHMMSS" in the same folder. Returns the new path;
    // empty when the file is gone or no longer damaged (another instance got
    // there first), or when renaming failed, in which case `error` says why.
    static QString setAside(const QString& path, QString& error);

    // Opens the file as the store uses it: read-write (created when
    // missing), or read-only where the user may not write it. A read-only
    // file in a folder the user may not write either is opened immutable:
    // WAL could not create its shared-memory file there, and nobody can
    // change the file under us. Returns the SQLite result code.
    static int openConnection(const QString& path, sqlite3** db);

    // The application id written into every settings database ("Tolv").
    static constexpr int ApplicationId = 0x546f6c76;
    // The layout this program writes (PRAGMA user_version).
    static constexpr qint64 SchemaVersion = 1;
};
