// SPDX-License-Identifier: GPL-3.0-or-later
// What the store does with files it did not write, files it may not write,
// and texts that begin with U+FEFF.
#include "platform/SettingsDatabase.h"
#include "platform/SettingsFileCheck.h"
#include "platform/SettingsTree.h"
#include "support/FullDisk.h"
#include "support/TempDir.h"
#include "support/TestSettings.h"

#include <QDir>
#include <QFile>

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {
constexpr quint32 HKCU = 0x80000001u;

void execute(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    sqlite3_close(db);
}

QStringList folderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}
} // namespace

// A foreign database was switched to WAL before it was refused, and one
// holding only views got Tolvane's tables.
TEST(SettingsIdentity, DatabasesOfOthersAndOfNewerVersionsStayExactlyAsTheyWere)
{
    const struct {
        const char* what;
        const char* sql;
        const char* notice;
    } cases[] = {
        {"another program's table", "CREATE TABLE photos(id INTEGER)", "keine Einstellungsdatei"},
        {"a user_version and no tables", "PRAGMA user_version=7", "keine Einstellungsdatei"},
        {"views only", "CREATE VIEW v AS SELECT 1", "keine Einstellungsdatei"},
        {"another application id", "PRAGMA application_id=42", "keine Einstellungsdatei"},
        {"a newer Tolvane", "PRAGMA application_id=1416588406; PRAGMA user_version=2",
         "neueren Programmversion"},
    };
    static_assert(SettingsFileCheck::ApplicationId == 1416588406);
    for (const auto& c : cases) {
        FreshSettings fresh;
        execute(fresh.filePath(), c.sql);
        const QByteArray before = TempDir::contents(fresh.filePath());
        const QList<SettingsDatabase::Notice> notices = SettingsDatabase::takeStartupNotices();
        ASSERT_EQ(notices.size(), 1) << c.what;
        EXPECT_EQ(notices[0].kind, SettingsDatabase::Notice::Unusable) << c.what;
        EXPECT_TRUE(notices[0].detail.contains(QString::fromUtf8(c.notice))) << c.what;
        EXPECT_FALSE(SettingsDatabase::instance().isOpen()) << c.what;
        EXPECT_FALSE(SettingsTree(SettingsDatabase::instance())
                         .setValue(HKCU, QStringLiteral("X"),
                                   SettingsValue::text({}, QStringLiteral("y")), true))
            << c.what;
        SettingsDatabase::reopen();
        EXPECT_EQ(TempDir::contents(fresh.filePath()), before) << c.what;
        EXPECT_EQ(folderEntries(fresh.folder()), QStringList{QStringLiteral("registry.db")})
            << c.what;
    }
}

TEST(SettingsIdentity, TextsAndNamesBeginningWithAByteOrderMarkReadBackExactly)
{
    FreshSettings fresh;
    const QString mark(QChar(0xFEFF));
    SettingsTree tree(SettingsDatabase::instance());
    ASSERT_TRUE(tree.setValue(
        HKCU, mark + QStringLiteral("K"),
        SettingsValue::text(mark + QStringLiteral("n"), mark + QStringLiteral("t")), true));
    ASSERT_TRUE(tree.setValue(HKCU, QStringLiteral("K"),
                              SettingsValue::text(QStringLiteral("n"), QStringLiteral("plain")),
                              true));
    const auto marked = tree.value(HKCU, mark + QStringLiteral("K"), mark + QStringLiteral("n"));
    ASSERT_TRUE(marked.has_value());
    EXPECT_EQ(marked->name, mark + QStringLiteral("n"));
    EXPECT_EQ(marked->toText(), mark + QStringLiteral("t"));
    EXPECT_EQ(tree.value(HKCU, QStringLiteral("K"), QStringLiteral("n"))->toText(),
              QStringLiteral("plain"));
}

// WAL needs its -shm file beside the database: a read-only file in a
// read-only folder could not even be read.
TEST(SettingsIdentity, AReadOnlyFileInAReadOnlyFolderIsStillRead)
{
    FreshSettings fresh;
    ASSERT_TRUE(SettingsTree(SettingsDatabase::instance())
                    .setValue(HKCU, QStringLiteral("K"),
                              SettingsValue::text(QStringLiteral("v"), QStringLiteral("1")), true));
    SettingsDatabase::reopen();
    const QByteArray folder = QFile::encodeName(fresh.folder());
    const QByteArray file = QFile::encodeName(fresh.filePath());
    ASSERT_EQ(::chmod(file.constData(), 0444), 0);
    ASSERT_EQ(::chmod(folder.constData(), 0555), 0);
    // Root may write anything: the reading runs as nobody.
    const auto asUser = [] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(97);
    };
    const int code = RunInChild(asUser, [] {
        SettingsDatabase::reopen();
        const QList<SettingsDatabase::Notice> notices = SettingsDatabase::takeStartupNotices();
        const auto value = SettingsTree(SettingsDatabase::instance())
                               .value(HKCU, QStringLiteral("K"), QStringLiteral("v"));
        if (notices.size() != 1 || notices[0].kind != SettingsDatabase::Notice::ReadOnly)
            return 2;
        if (SettingsTree(SettingsDatabase::instance())
                .setValue(HKCU, QStringLiteral("K"),
                          SettingsValue::text(QStringLiteral("v"), QStringLiteral("2")), true))
            return 3;
        return value && value->toText() == QStringLiteral("1") ? 0 : 1;
    });
    ::chmod(folder.constData(), 0700);
    ::chmod(file.constData(), 0600);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(folderEntries(fresh.folder()), QStringList{QStringLiteral("registry.db")});
}
