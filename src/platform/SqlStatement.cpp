// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SqlStatement.h"

#include "platform/SettingsValue.h"

#include "platform/SystemError.h"

#include <sqlite3.h>

#include <cerrno>

namespace {
// The program uses its settings connection from one thread.
SqlStatement::Failure g_lastFailure;
} // namespace

SqlStatement::Failure SqlStatement::lastFailure()
{
    return g_lastFailure;
}

void SqlStatement::clearLastFailure()
{
    g_lastFailure = {};
}

QString SqlStatement::errorText(int code, int systemErrno)
{
    switch (code & 0xff) {
    case SQLITE_READONLY:
        return QStringLiteral("die Einstellungsdatei ist schreibgeschützt");
    case SQLITE_FULL:
        return SystemErrorText(systemErrno ? systemErrno : ENOSPC);
    case SQLITE_IOERR:
        return systemErrno ? SystemErrorText(systemErrno) : SystemErrorText(EIO);
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
        return QStringLiteral("die Datei kann nicht zum Schreiben geöffnet werden");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("die Datei ist von einem anderen Programm gesperrt");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QStringLiteral("die Einstellungsdatei ist beschädigt");
    case SQLITE_NOMEM:
        return QStringLiteral("nicht genügend Speicher");
    default:
        return QStringLiteral("Datenbankfehler %1").arg(code);
    }
}

void SqlStatement::noteFailure()
{
    g_lastFailure = {m_code, m_db ? sqlite3_system_errno(m_db) : 0};
}

SqlStatement::SqlStatement(sqlite3* db, const char* sql) : m_db(db)
{
    if (!db) {
        m_failed = true;
        m_code = SQLITE_MISUSE;
        return;
    }
    m_code = sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr);
    if (m_code != SQLITE_OK) {
        m_failed = true;
        noteFailure();
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
}

SqlStatement::~SqlStatement()
{
    sqlite3_finalize(m_stmt);
}

SqlStatement& SqlStatement::bind(int index, qint64 value)
{
    if (m_stmt)
        sqlite3_bind_int64(m_stmt, index, value);
    return *this;
}

SqlStatement& SqlStatement::bindText(int index, const QString& text)
{
    return bindUtf8(index, text.toUtf8());
}

SqlStatement& SqlStatement::bindUtf8(int index, const QByteArray& utf8)
{
    // constData() of an empty array is "" rather than null, so SQLite stores an
    // empty text instead of NULL.
    if (m_stmt)
        sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    return *this;
}

SqlStatement& SqlStatement::bindBlob(int index, const QByteArray& bytes)
{
    if (m_stmt)
        sqlite3_bind_blob(m_stmt, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
    return *this;
}

bool SqlStatement::step()
{
    if (!m_stmt || m_failed)
        return false;
    m_code = sqlite3_step(m_stmt);
    if (m_code == SQLITE_ROW)
        return true;
    if (m_code != SQLITE_DONE) {
        m_failed = true;
        noteFailure();
    }
    return false;
}

bool SqlStatement::exec()
{
    while (step()) {
    }
    return !m_failed;
}

qint64 SqlStatement::int64(int column) const
{
    return m_stmt ? sqlite3_column_int64(m_stmt, column) : 0;
}

QString SqlStatement::text(int column) const
{
    return SettingsValue::fromUtf8Exactly(bytes(column));
}

QByteArray SqlStatement::bytes(int column) const
{
    if (!m_stmt)
        return {};
    // Blob first, then the size: asking for the size first could convert the value.
    const void* data = sqlite3_column_blob(m_stmt, column);
    const int size = sqlite3_column_bytes(m_stmt, column);
    if (!data || size <= 0)
        return QByteArray("");
    return QByteArray(static_cast<const char*>(data), size);
}

int SqlStatement::columnType(int column) const
{
    return m_stmt ? sqlite3_column_type(m_stmt, column) : SQLITE_NULL;
}
