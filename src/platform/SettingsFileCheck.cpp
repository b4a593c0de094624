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
    switch (code & 0xff) {
    case SQLITE_PERM:
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
        return QStringLiteral("die Datei kann nicht zum Schreiben geöffnet werden");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("die Datei ist von einem anderen Programm gesperrt");
    default:
        return QString::fromUtf8(sqlite3_errstr(code));
    }
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
    SqlStatement appId(db, "PRAGMA application_id");
    const qint64 id = appId.step() ? appId.int64(0) : 0;
    SqlStatement tables(db, "SELECT count(*), count(CASE WHEN name = 'reg_keys' THEN 1 END) "
                            "FROM sqlite_schema WHERE type = 'table'");
    const bool counted = tables.step();
    const bool foreignTables = counted && tables.int64(0) > 0 && tables.int64(1) == 0;
    // Someone pointed us at another program's database: leave it alone.
    if ((id != 0 && id != SettingsFileCheck::ApplicationId) || foreignTables) {
        detail = QStringLiteral("sie ist keine Einstellungsdatei von Tolvane");
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
    const int rc =
        sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
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
