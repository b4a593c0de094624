// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

struct sqlite3;

// The SQLite file behind the settings store: one per user, shared by every
// running instance of the program and of tolvane-cli.
//
// The file is $TOLVANE_REGISTRY, else $XDG_CONFIG_HOME/tolvane/registry.db
// (~/.config/tolvane/registry.db). It is opened on first use: WAL journal
// where the file system allows it (else the rollback journal), a busy timeout
// so that instances wait for each other instead of failing. A file that is
// damaged or no database at all is renamed aside (never deleted), a fresh one
// takes its place, and a notice for start-up to show says so.
//
// The program is single-threaded; one process-wide connection serves it.
class SettingsDatabase {
public:
    static SettingsDatabase& instance();
    // What opening the file had to tell the user.
    struct Notice {
        enum Kind {
            Unusable,    // the file cannot be used; `detail` says why
            DamagedKept, // damaged and could not be set aside; `detail` says why
            SetAside,    // damaged and renamed to `detail`; a new file serves
            ReadOnly,    // its settings are read, changes are not kept
        };
        Kind kind = Unusable;
        QString path; // the settings file
        QString detail;
    };

    // Closes the connection and drops notices not yet taken; the next
    // instance() opens the file anew from the environment (tests change
    // $TOLVANE_REGISTRY in between).
    static void reopen();
    // The file path the environment names.
    static QString configuredFilePath();
    // The notices of the last opening, then none. Opens the database when it
    // is not open yet.
    static QList<Notice> takeStartupNotices();

    ~SettingsDatabase();
    SettingsDatabase(const SettingsDatabase&) = delete;
    SettingsDatabase& operator=(const SettingsDatabase&) = delete;

    bool isOpen() const { return m_db != nullptr; }
    const QString& filePath() const { return m_path; }
    bool usesWal() const { return m_wal; }
    sqlite3* handle() const { return m_db; }

    // Every operation runs inside one of these. A write transaction begins
    // IMMEDIATE: a deferred one that later wants to write fails at once with
    // SQLITE_BUSY, whatever the timeout. Transactions nest: an inner one joins
    // the outer, and an inner failure makes the outer one roll back.
    class Transaction {
    public:
        enum Kind { Read, Write };
        Transaction(SettingsDatabase& db, Kind kind);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;

        bool isActive() const { return m_active; }
        // Marks the work as failed; the outermost transaction rolls back.
        void fail();
        // True when the work is committed (or, nested, handed to the outer one).
        bool commit();

    private:
        SettingsDatabase& m_db;
        Kind m_kind;
        bool m_active = false;
        bool m_outermost = false;
        bool m_done = false;
    };

private:
    SettingsDatabase() = default;
    void open();
    void close();
    bool connect(QString& problem);
    bool configure(QString& problem);
    bool createSchema();

    sqlite3* m_db = nullptr;
    QString m_path;
    bool m_wal = false;
    int m_depth = 0;
    bool m_writeOpen = false;
    bool m_poisoned = false;
};
