// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SettingsDatabase.h"
#include "platform/SettingsFileCheck.h"
#include "platform/SettingsTree.h"
#include "support/FullDisk.h"
#include "support/TempDir.h"
#include "support/TestSettings.h"
#include "support/TestText.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {
constexpr quint32 HKCU = 0x80000001u;

SettingsTree tree()
{
    return SettingsTree(SettingsDatabase::instance());
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void execute(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    sqlite3_close(db);
}

// The files of the folder, hidden ones too.
QStringList folderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

void expectFreshStoreWorks()
{
    EXPECT_TRUE(SettingsDatabase::instance().isOpen());
    EXPECT_TRUE(tree().setValue(HKCU, u("Software\\T"), SettingsValue::text(u("a"), u("b")), true));
    EXPECT_EQ(tree().value(HKCU, u("Software\\T"), u("A"))->toText(), u("b"));
}
} // namespace

TEST(SettingsDatabase, FileFromEnvironmentElseXdgConfigHomeInWalModeWithItsFoldersMade)
{
    FreshSettings fresh;
    EXPECT_FALSE(QFile::exists(fresh.filePath())); // opened only on first use
    SettingsDatabase& db = SettingsDatabase::instance();
    ASSERT_TRUE(db.isOpen());
    EXPECT_EQ(db.filePath(), fresh.filePath());
    EXPECT_TRUE(db.usesWal());
    EXPECT_TRUE(SettingsDatabase::takeStartupNotices().isEmpty());
    expectFreshStoreWorks();

    // Missing folders on the way to the file are made.
    const QString nested = fresh.folder() + u("/a/b/registry.db");
    qputenv("TOLVANE_REGISTRY", nested.toUtf8());
    SettingsDatabase::reopen();
    expectFreshStoreWorks();
    EXPECT_TRUE(QFile::exists(nested));

    const QByteArray savedXdg = qgetenv("XDG_CONFIG_HOME");
    qunsetenv("TOLVANE_REGISTRY"); // back when `fresh` goes
    qputenv("XDG_CONFIG_HOME", "/tmp/xdg-test");
    EXPECT_EQ(SettingsDatabase::configuredFilePath(), u("/tmp/xdg-test/tolvane/registry.db"));
    qputenv("XDG_CONFIG_HOME", "relative/ignored");
    EXPECT_EQ(SettingsDatabase::configuredFilePath(),
              QDir::homePath() + u("/.config/tolvane/registry.db"));
    qputenv("XDG_CONFIG_HOME", savedXdg);
}

TEST(SettingsDatabase, RandomBytesAreSetAsideAndAFreshFileIsUsed)
{
    FreshSettings fresh;
    QByteArray junk(8192, '\0');
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(junk.data()), junk.size() / 4);
    writeAll(fresh.filePath(), junk);
    writeAll(fresh.filePath() + u("-wal"), QByteArray("stale journal"));

    const QList<SettingsDatabase::Notice> notices = SettingsDatabase::takeStartupNotices();
    const QStringList aside =
        QDir(fresh.folder()).entryList({u("registry.db.defekt-*")}, QDir::Files, QDir::Name);
    ASSERT_EQ(aside.size(), 2) << aside.join(QLatin1Char(' ')).toStdString();
    const QString asidePath = fresh.folder() + QLatin1Char('/') + aside.first();
    EXPECT_TRUE(QRegularExpression(u("^registry\\.db\\.defekt-\\d{8}-\\d{6}$"))
                    .match(aside.first())
                    .hasMatch());
    EXPECT_EQ(aside.last(), aside.first() + u("-wal")); // the journal went with it
    EXPECT_EQ(TempDir::contents(asidePath), junk);      // nothing lost
    ASSERT_EQ(notices.size(), 1);
    EXPECT_EQ(notices[0].kind, SettingsDatabase::Notice::SetAside);
    EXPECT_EQ(notices[0].path, fresh.filePath());
    EXPECT_EQ(notices[0].detail, asidePath);
    EXPECT_TRUE(SettingsDatabase::takeStartupNotices().isEmpty()); // shown once
    expectFreshStoreWorks();
}

TEST(SettingsDatabase, DatabaseFailingTheQuickCheckIsSetAside)
{
    FreshSettings fresh;
    for (int i = 0; i < 300; ++i)
        tree().setValue(HKCU, u("K%1").arg(i % 30),
                        SettingsValue::text(u("v%1").arg(i), QString(200, QLatin1Char('x'))), true);
    SettingsDatabase::reopen(); // checkpoints the WAL into the file
    QByteArray bytes = TempDir::contents(fresh.filePath());
    ASSERT_GT(bytes.size(), 4096 * 4);
    for (int i = 4096 + 16; i < 4096 * 3; ++i) // b-tree pages after the header page
        bytes[i] = char(0xA5);
    writeAll(fresh.filePath(), bytes);

    const QList<SettingsDatabase::Notice> notices = SettingsDatabase::takeStartupNotices();
    ASSERT_EQ(notices.size(), 1);
    EXPECT_EQ(notices[0].kind, SettingsDatabase::Notice::SetAside);
    EXPECT_EQ(TempDir::contents(notices[0].detail), bytes); // nothing lost
    expectFreshStoreWorks();
    EXPECT_FALSE(tree().keyExists(HKCU, u("K1")));
}

TEST(SettingsDatabase, InnerFailureRollsBackTheWholeTransaction)
{
    SettingsDatabase& db = SettingsDatabase::instance();
    {
        SettingsDatabase::Transaction outer(db, SettingsDatabase::Transaction::Write);
        ASSERT_TRUE(outer.isActive());
        EXPECT_TRUE(tree().createKey(HKCU, u("A\\B")));
        EXPECT_TRUE(tree().keyExists(HKCU, u("a\\b"))); // visible inside
        {
            SettingsDatabase::Transaction inner(db, SettingsDatabase::Transaction::Write);
            inner.fail();
        }
        EXPECT_FALSE(outer.commit());
    }
    EXPECT_FALSE(tree().keyExists(HKCU, u("A")));
    {
        SettingsDatabase::Transaction outer(db, SettingsDatabase::Transaction::Write);
        EXPECT_TRUE(tree().createKey(HKCU, u("A")));
        // Refusals are results, not failures: the work still commits.
        EXPECT_FALSE(tree().deleteValue(HKCU, u("A"), u("none")));
        EXPECT_FALSE(tree().setValue(HKCU, u("A"), SettingsValue{QString(), 7, {}}, true));
        EXPECT_FALSE(
            tree().setValue(HKCU, u("Missing"), SettingsValue::text(QString(), QString()), false));
        EXPECT_TRUE(outer.commit());
    }
    EXPECT_TRUE(tree().keyExists(HKCU, u("A")));
}

TEST(SettingsTree, PathsNamesAndTreeWalk)
{
    const SettingsTree t = tree();
    EXPECT_FALSE(SettingsTree::splitPath(u("a\\\\b")));
    EXPECT_FALSE(SettingsTree::splitPath(u("\\a")));
    EXPECT_EQ(SettingsTree::splitPath(u("a\\b\\"))->size(), 2);
    EXPECT_FALSE(SettingsTree::splitPath(QString(256, QLatin1Char('n'))));
    EXPECT_FALSE(t.createKey(0x80000004u, u("X")));

    EXPECT_TRUE(t.createKey(HKCU, u("Soft\\Zeta")));
    EXPECT_TRUE(t.createKey(HKCU, u("SOFT\\alpha\\Deep")));
    EXPECT_TRUE(t.setValue(HKCU, u("soft\\ALPHA"), SettingsValue::dword(u("N"), 5), false));
    EXPECT_EQ(*t.subKeys(HKCU, u("Soft")), (QStringList{u("alpha"), u("Zeta")}));

    const auto walked = t.collectTree(HKCU, u("sOFT"));
    ASSERT_TRUE(walked);
    QStringList paths;
    for (const auto& entry : *walked)
        paths << entry.path;
    EXPECT_EQ(paths,
              (QStringList{u("Soft"), u("Soft\\alpha"), u("Soft\\alpha\\Deep"), u("Soft\\Zeta")}));
    EXPECT_EQ(walked->at(1).values.at(0).toDword(), 5u);

    EXPECT_FALSE(t.deleteTree(HKCU, QString())); // never a root
    EXPECT_TRUE(t.deleteTree(HKCU, u("soft\\alpha")));
    EXPECT_TRUE(t.deleteTree(HKCU, u("soft\\alpha"))); // nothing left is success
    EXPECT_EQ(*t.subKeys(HKCU, u("Soft")), QStringList{u("Zeta")});
}

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
        EXPECT_FALSE(tree().setValue(HKCU, u("X"), SettingsValue::text({}, u("y")), true))
            << c.what;
        SettingsDatabase::reopen();
        EXPECT_EQ(TempDir::contents(fresh.filePath()), before) << c.what;
        EXPECT_EQ(folderEntries(fresh.folder()), QStringList{u("registry.db")}) << c.what;
    }
}

TEST(SettingsIdentity, TextsAndNamesBeginningWithAByteOrderMarkReadBackExactly)
{
    const QString mark(QChar(0xFEFF));
    const SettingsTree t = tree();
    ASSERT_TRUE(
        t.setValue(HKCU, mark + u("K"), SettingsValue::text(mark + u("n"), mark + u("t")), true));
    ASSERT_TRUE(t.setValue(HKCU, u("K"), SettingsValue::text(u("n"), u("plain")), true));
    const auto marked = t.value(HKCU, mark + u("K"), mark + u("n"));
    ASSERT_TRUE(marked.has_value());
    EXPECT_EQ(marked->name, mark + u("n"));
    EXPECT_EQ(marked->toText(), mark + u("t"));
    EXPECT_EQ(t.value(HKCU, u("K"), u("n"))->toText(), u("plain"));
}

// WAL needs its -shm file beside the database: a read-only file in a
// read-only folder could not even be read.
TEST(SettingsIdentity, AReadOnlyFileInAReadOnlyFolderIsStillRead)
{
    FreshSettings fresh;
    ASSERT_TRUE(tree().setValue(HKCU, u("K"), SettingsValue::text(u("v"), u("1")), true));
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
        const auto value = tree().value(HKCU, u("K"), u("v"));
        if (notices.size() != 1 || notices[0].kind != SettingsDatabase::Notice::ReadOnly)
            return 2;
        if (tree().setValue(HKCU, u("K"), SettingsValue::text(u("v"), u("2")), true))
            return 3;
        return value && value->toText() == u("1") ? 0 : 1;
    });
    ::chmod(folder.constData(), 0700);
    ::chmod(file.constData(), 0600);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(folderEntries(fresh.folder()), QStringList{u("registry.db")});
}
