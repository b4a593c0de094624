// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SettingsFileCheck.h"

#include "platform/SqlStatement.h"
#include "platform/SystemError.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QByteArray kMagic("SQLite format 3\0", 16);

QString sqliteText(int code)
{
    return SqlStatement::errorText(code);
}

bool isDamageCode(int code)
{
    return (code & 0xff) == SQLITE_NOTADB || (code & 0xff) == SQLITE_CORRUPT;
}

// A file that does not begin with SQLite's magic is not a database, whatever
// else it is. An empty file is a database not yet written.
bool headerLooksWrong(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false; // let SQLite report why it cannot be read
    const QByteArray head = file.read(kMagic.size());
    return !head.isEmpty() && !kMagic.startsWith(head);
}

SettingsFileCheck::State inspectOpen(sqlite3* db, QString& detail)
{
    {
        SqlStatement check(db, "PRAGMA quick_check(1)");
        const bool row = check.step();
        if (!row) {
            detail = sqliteText(check.errorCode());
            return isDamageCode(check.errorCode()) ? SettingsFileCheck::Damaged
                                                   : SettingsFileCheck::Unavailable;
        }
        if (check.text(0) != QLatin1String("ok")) {
            detail = check.text(0);
            return SettingsFileCheck::Damaged;
        }
    }
    const auto number = [db](const char* sql) {
        SqlStatement query(db, sql);
        return query.step() ? query.int64(0) : -1;
    };
    const qint64 id = number("PRAGMA application_id");
    const qint64 version = number("PRAGMA user_version");
    const qint64 objects = number("SELECT count(*) FROM sqlite_schema");
    // A database of another program (or one we cannot tell) is left exactly
    // as it is: no journal mode, no tables of ours.
    const bool fresh = id == 0 && version == 0 && objects == 0;
    if (id != SettingsFileCheck::ApplicationId && !fresh) {
        detail = QStringLiteral("sie ist keine Einstellungsdatei von Tolvane");
        return SettingsFileCheck::Unavailable;
    }
    if (version > SettingsFileCheck::SchemaVersion) {
        detail = QStringLiteral("sie stammt von einer neueren Programmversion");
        return SettingsFileCheck::Unavailable;
    }
    return SettingsFileCheck::Usable;
}

QString freeAsideName(const QString& path)
{
    const QString base = path + QStringLiteral(".defekt-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = base;
    for (int n = 2; QFileInfo::exists(name) || QFileInfo::exists(name + QStringLiteral("-wal"));
         ++n)
        name = base + QLatin1Char('-') + QString::number(n);
    return name;
}

bool renameFile(const QString& from, const QString& to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}
} // namespace

SettingsFileCheck::State SettingsFileCheck::inspect(const QString& path, QString& detail)
{
    const QFileInfo info(path);
    if (!info.exists() || (info.isFile() && info.size() == 0))
        return Usable;
    if (!info.isFile()) {
        detail = QStringLiteral("sie ist keine gewöhnliche Datei");
        return Unavailable;
    }
    if (headerLooksWrong(path)) {
        detail = QStringLiteral("sie ist keine Datenbank");
        return Damaged;
    }
    sqlite3* db = nullptr;
    const int rc = openConnection(path, &db);
    State state = Unavailable;
    if (rc != SQLITE_OK) {
        detail = sqliteText(rc);
        state = isDamageCode(rc) ? Damaged : Unavailable;
    } else {
        sqlite3_busy_timeout(db, 5000);
        state = inspectOpen(db, detail);
    }
    sqlite3_close_v2(db);
    return state;
}

int SettingsFileCheck::openConnection(const QString& path, sqlite3** db)
{
    const QByteArray native = QFile::encodeName(path);
    const bool exists = ::access(native.constData(), F_OK) == 0;
    if (!exists || ::access(native.constData(), W_OK) == 0)
        return sqlite3_open_v2(native.constData(), db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                               nullptr);
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    if (::access(folder.constData(), W_OK) == 0)
        return sqlite3_open_v2(native.constData(), db, SQLITE_OPEN_READONLY, nullptr);
    const QByteArray uri = QByteArrayLiteral("file:") + native.toPercentEncoding("/") +
                           QByteArrayLiteral("?immutable=1");
    return sqlite3_open_v2(uri.constData(), db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
}

QString SettingsFileCheck::setAside(const QString& path, QString& error)
{
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT)
            error = SystemErrorText(errno);
        return {};
    }
    // Two instances may find the same damaged file at once. The lock lets one
    // of them move it; the other then sees that the path names a new file (or
    // a sound one) and leaves it be.
    ::flock(fd, LOCK_EX);
    QString aside;
    struct stat held {};
    struct stat current {};
    const bool same = ::fstat(fd, &held) == 0 && ::stat(native.constData(), &current) == 0 &&
                      held.st_dev == current.st_dev && held.st_ino == current.st_ino;
    QString detail;
    if (same && inspect(path, detail) == Damaged) {
        aside = freeAsideName(path);
        if (!renameFile(path, aside)) {
            error = SystemErrorText(errno);
            aside.clear();
        } else {
            // A stale journal beside a fresh database would be replayed into it.
            for (const char* suffix : {"-wal", "-shm", "-journal"}) {
                const QString companion = path + QLatin1String(suffix);
                if (QFileInfo::exists(companion))
                    renameFile(companion, aside + QLatin1String(suffix));
            }
        }
    }
    ::close(fd);
    return aside;
}
