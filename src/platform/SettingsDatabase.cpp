// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SettingsDatabase.h"

#include "platform/SettingsFileCheck.h"
#include "platform/SqlStatement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <memory>
#include <utility>

namespace {
std::unique_ptr<SettingsDatabase> g_database;
QList<SettingsDatabase::Notice> g_notices;

constexpr int kBusyTimeoutMs = 5000;
constexpr qint64 kSchemaVersion = SettingsFileCheck::SchemaVersion;

// The four roots are rows of the key table with fixed ids 1 to 4, so that a
// root handle 0x80000000 + n is key n + 1 and every key has a parent row.
const char* const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS reg_keys("
    " id INTEGER PRIMARY KEY,"
    " parent INTEGER REFERENCES reg_keys(id),"
    " name TEXT NOT NULL,"
    " fold TEXT NOT NULL)",
    "CREATE UNIQUE INDEX IF NOT EXISTS reg_keys_child ON reg_keys(parent, fold)",
    // data: text as TEXT (UTF-8), 32-bit integers as INTEGER, bytes as BLOB.
    "CREATE TABLE IF NOT EXISTS reg_values("
    " key INTEGER NOT NULL REFERENCES reg_keys(id),"
    " name TEXT NOT NULL,"
    " fold TEXT NOT NULL,"
    " type INTEGER NOT NULL,"
    " data NOT NULL)",
    "CREATE UNIQUE INDEX IF NOT EXISTS reg_values_name ON reg_values(key, fold)",
    "INSERT OR IGNORE INTO reg_keys(id, parent, name, fold) VALUES"
    " (1, NULL, 'HKEY_CLASSES_ROOT', 'hkey_classes_root'),"
    " (2, NULL, 'HKEY_CURRENT_USER', 'hkey_current_user'),"
    " (3, NULL, 'HKEY_LOCAL_MACHINE', 'hkey_local_machine'),"
    " (4, NULL, 'HKEY_USERS', 'hkey_users')",
};

void addNotice(SettingsDatabase::Notice::Kind kind, const QString& path, const QString& detail = {})
{
    g_notices.append({kind, path, detail});
}

bool execSql(sqlite3* db, const char* sql)
{
    return SqlStatement(db, sql).exec();
}

// SQLite itself ends a transaction after some errors (a full disk, an I/O
// error); a second ROLLBACK would only complain.
void rollback(sqlite3* db)
{
    if (!sqlite3_get_autocommit(db))
        execSql(db, "ROLLBACK");
}
} // namespace

SettingsDatabase& SettingsDatabase::instance()
{
    if (!g_database) {
        g_database.reset(new SettingsDatabase);
        g_database->open();
    }
    return *g_database;
}

void SettingsDatabase::reopen()
{
    g_database.reset();
    g_notices.clear();
}

QString SettingsDatabase::configuredFilePath()
{
    const QString explicitPath = qEnvironmentVariable("TOLVANE_REGISTRY");
    if (!explicitPath.isEmpty())
        return explicitPath;
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    // The base directory rules ignore a relative XDG_CONFIG_HOME.
    if (config.isEmpty() || QDir::isRelativePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/tolvane/registry.db");
}

QList<SettingsDatabase::Notice> SettingsDatabase::takeStartupNotices()
{
    instance();
    return std::exchange(g_notices, {});
}

SettingsDatabase::~SettingsDatabase()
{
    close();
}

void SettingsDatabase::open()
{
    m_path = QFileInfo(configuredFilePath()).absoluteFilePath();
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath())) {
        addNotice(Notice::Unusable, m_path,
                  QStringLiteral("der Ordner kann nicht angelegt werden"));
        return;
    }
    QString detail;
    SettingsFileCheck::State state = SettingsFileCheck::inspect(m_path, detail);
    if (state == SettingsFileCheck::Damaged) {
        QString error;
        const QString aside = SettingsFileCheck::setAside(m_path, error);
        if (!error.isEmpty()) {
            addNotice(Notice::DamagedKept, m_path, error);
            return;
        }
        if (!aside.isEmpty())
            addNotice(Notice::SetAside, m_path, aside);
        state = SettingsFileCheck::inspect(m_path, detail);
    }
    if (state != SettingsFileCheck::Usable) {
        addNotice(Notice::Unusable, m_path, detail);
        return;
    }
    QString problem;
    if (!connect(problem) || !configure(problem)) {
        close();
        addNotice(Notice::Unusable, m_path, problem);
    }
}

void SettingsDatabase::close()
{
    if (m_db)
        sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_depth = 0;
}

bool SettingsDatabase::connect(QString& problem)
{
    const int rc = SettingsFileCheck::openConnection(m_path, &m_db);
    if (rc != SQLITE_OK) {
        problem = SqlStatement::errorText(rc, m_db ? sqlite3_system_errno(m_db) : 0);
        return false;
    }
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    // Refuses writes to the schema tables that would let a crafted file corrupt itself.
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    return true;
}

bool SettingsDatabase::configure(QString& problem)
{
    // A file the user may only read still gives the settings it holds.
    const bool readOnly = sqlite3_db_readonly(m_db, "main") == 1;
    // A network file system may refuse WAL; the answer then names the journal
    // mode that stays in force, and the rollback journal does the job.
    {
        SqlStatement wal(m_db, readOnly ? "PRAGMA journal_mode" : "PRAGMA journal_mode=WAL");
        if (wal.step()) {
            m_wal = wal.text(0).compare(QLatin1String("wal"), Qt::CaseInsensitive) == 0;
        } else {
            SqlStatement mode(m_db, "PRAGMA journal_mode");
            m_wal =
                mode.step() && mode.text(0).compare(QLatin1String("wal"), Qt::CaseInsensitive) == 0;
        }
    }
    // In WAL mode NORMAL never corrupts the file; a power cut may only lose the
    // last writes. The rollback journal needs FULL for the same promise.
    execSql(m_db, m_wal ? "PRAGMA synchronous=NORMAL" : "PRAGMA synchronous=FULL");
    qint64 version = -1;
    {
        SqlStatement query(m_db, "PRAGMA user_version");
        if (query.step())
            version = query.int64(0);
    }
    // Only a new file takes the write lock here; instances starting later do not wait.
    if (version == 0 && !readOnly) {
        if (!createSchema()) {
            problem = QStringLiteral("die Tabellen können nicht angelegt werden: %1")
                          .arg(SqlStatement::errorText(SqlStatement::lastFailure()));
            return false;
        }
        SqlStatement query(m_db, "PRAGMA user_version");
        version = query.step() ? query.int64(0) : -1;
    }
    if (version != kSchemaVersion) {
        problem = version > kSchemaVersion
                      ? QStringLiteral("sie stammt von einer neueren Programmversion")
                      : QStringLiteral("sie kann nicht gelesen werden");
        return false;
    }
    if (readOnly)
        addNotice(Notice::ReadOnly, m_path);
    return true;
}

bool SettingsDatabase::createSchema()
{
    Transaction txn(*this, Transaction::Write);
    if (!txn.isActive())
        return false;
    SqlStatement version(m_db, "PRAGMA user_version");
    if (!version.step())
        return false;
    if (version.int64(0) != 0)
        return true; // already there (or newer; configure() tells)
    for (const char* sql : kSchema) {
        if (!execSql(m_db, sql))
            return false;
    }
    const QByteArray pragmas = QByteArrayLiteral("PRAGMA application_id=") +
                               QByteArray::number(SettingsFileCheck::ApplicationId) +
                               QByteArrayLiteral(";");
    if (!execSql(m_db, pragmas.constData()))
        return false;
    const QByteArray userVersion = "PRAGMA user_version=" + QByteArray::number(kSchemaVersion);
    if (!execSql(m_db, userVersion.constData()))
        return false;
    return txn.commit();
}

SettingsDatabase::Transaction::Transaction(SettingsDatabase& db, Kind kind) : m_db(db), m_kind(kind)
{
    if (!db.m_db)
        return;
    if (db.m_depth == 0) {
        if (!execSql(db.m_db, kind == Write ? "BEGIN IMMEDIATE" : "BEGIN"))
            return;
        m_outermost = true;
        db.m_writeOpen = kind == Write;
        db.m_poisoned = false;
    } else if (kind == Write && !db.m_writeOpen) {
        // A read snapshot cannot become a write without risking SQLITE_BUSY_SNAPSHOT.
        return;
    }
    ++db.m_depth;
    m_active = true;
}

SettingsDatabase::Transaction::~Transaction()
{
    if (!m_active || m_done)
        return;
    m_done = true;
    --m_db.m_depth;
    if (m_outermost)
        rollback(m_db.m_db);
    else if (m_kind == Write)
        m_db.m_poisoned = true;
}

void SettingsDatabase::Transaction::fail()
{
    if (m_active && !m_done)
        m_db.m_poisoned = true;
}

bool SettingsDatabase::Transaction::commit()
{
    if (!m_active || m_done)
        return false;
    m_done = true;
    --m_db.m_depth;
    if (!m_outermost)
        return !m_db.m_poisoned;
    if (m_db.m_poisoned) {
        rollback(m_db.m_db);
        return false;
    }
    if (!execSql(m_db.m_db, "COMMIT")) {
        // A COMMIT that could not get its lock leaves the transaction open.
        rollback(m_db.m_db);
        return false;
    }
    return true;
}
