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

    qint64 int64(int column) const;
    QString text(int column) const;
    QByteArray bytes(int column) const; // text or blob bytes as stored
    int columnType(int column) const;   // SQLITE_INTEGER, SQLITE_TEXT ...

private:
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
    bool m_failed = false;
    int m_code = 0;
};
