// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

// One prepared SQLite statement, finalized when it goes out of scope. Binding
// and reading never touch a statement that failed to prepare; step() and
// exec() then simply report failure.
class SqlStatement {
public:
    SqlStatement(sqlite3* db, const char* sql);
    ~SqlStatement();
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;

    bool isValid() const { return m_stmt != nullptr; }

    SqlStatement& bind(int index, qint64 value);
    SqlStatement& bindText(int index, const QString& text);
    SqlStatement& bindUtf8(int index, const QByteArray& utf8);
    SqlStatement& bindBlob(int index, const QByteArray& bytes);

    // True while a row is ready; false when done or failed (see failed()).
    bool step();
    // Runs to the end; true when the statement completed.
    bool exec();
    bool failed() const { return m_failed; }
    int errorCode() const { return m_code; }

    // Why a statement (of any connection) failed last: the SQLite code and
    // the system's errno behind it, kept for the message a caller shows
    // once the transaction is rolled back. Nothing is printed on failure.
    struct Failure {
        int code = 0;
        int systemErrno = 0;
    };
    static Failure lastFailure();
    static void clearLastFailure();
    // A German text for a SQLite result code (and the errno behind it).
    static QString errorText(int code, int systemErrno = 0);
    static QString errorText(const Failure& failure)
    {
        return errorText(failure.code, failure.systemErrno);
    }

    qint64 int64(int column) const;
    QString text(int column) const;
    QByteArray bytes(int column) const; // text or blob bytes as stored
    int columnType(int column) const;   // SQLITE_INTEGER, SQLITE_TEXT ...

private:
    void noteFailure();

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
    bool m_failed = false;
    int m_code = 0;
};
