// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SettingsDatabase.h"
#include "platform/SettingsTree.h"
#include "support/TempDir.h"
#include "support/TestSettings.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <sqlite3.h>

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

// The files in the folder that were set aside.
QStringList asideFiles(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("registry.db.defekt-*")}, QDir::Files,
                                  QDir::Name);
}

void expectFreshStoreWorks()
{
    EXPECT_TRUE(SettingsDatabase::instance().isOpen());
    EXPECT_TRUE(tree().setValue(HKCU, QStringLiteral("Software\\T"),
                                SettingsValue::text(QStringLiteral("a"), QStringLiteral("b")),
                                true));
    EXPECT_EQ(tree().value(HKCU, QStringLiteral("Software\\T"), QStringLiteral("A"))->toText(),
              QStringLiteral("b"));
}
} // namespace

TEST(SettingsDatabase, FileFromEnvironmentInWalMode)
{
    FreshSettings fresh;
    EXPECT_FALSE(QFile::exists(fresh.filePath())); // opened only on first use
    SettingsDatabase& db = SettingsDatabase::instance();
    ASSERT_TRUE(db.isOpen());
    EXPECT_EQ(db.filePath(), fresh.filePath());
    EXPECT_TRUE(db.usesWal());
    EXPECT_TRUE(SettingsDatabase::takeStartupNotices().isEmpty());
    expectFreshStoreWorks();
}

TEST(SettingsDatabase, PathFallsBackToXdgConfigHome)
{
    const QByteArray saved = qgetenv("TOLVANE_REGISTRY");
    const QByteArray savedXdg = qgetenv("XDG_CONFIG_HOME");
    qunsetenv("TOLVANE_REGISTRY");
    qputenv("XDG_CONFIG_HOME", "/tmp/xdg-test");
    EXPECT_EQ(SettingsDatabase::configuredFilePath(),
              QStringLiteral("/tmp/xdg-test/tolvane/registry.db"));
    qputenv("XDG_CONFIG_HOME", "relative/ignored");
    EXPECT_EQ(SettingsDatabase::configuredFilePath(),
              QDir::homePath() + QStringLiteral("/.config/tolvane/registry.db"));
    qputenv("XDG_CONFIG_HOME", savedXdg);
    qputenv("TOLVANE_REGISTRY", saved);
}

TEST(SettingsDatabase, CreatesMissingFolders)
{
    FreshSettings fresh;
    const QString nested = fresh.folder() + QStringLiteral("/a/b/registry.db");
    qputenv("TOLVANE_REGISTRY", nested.toUtf8());
    SettingsDatabase::reopen();
    expectFreshStoreWorks();
    EXPECT_TRUE(QFile::exists(nested));
}

TEST(SettingsDatabase, RandomBytesAreSetAsideAndAFreshFileIsUsed)
{
    FreshSettings fresh;
    QByteArray junk(8192, '\0');
    QRandomGenerator rng(7);
    for (char& c : junk)
        c = char(rng.bounded(256));
    writeAll(fresh.filePath(), junk);
    writeAll(fresh.filePath() + QStringLiteral("-wal"), QByteArray("stale journal"));

    const QList<SettingsDatabase::Notice> notices = SettingsDatabase::takeStartupNotices();
    const QStringList aside = asideFiles(fresh.folder());
    ASSERT_EQ(aside.size(), 2) << aside.join(QLatin1Char(' ')).toStdString();
    const QString asidePath = fresh.folder() + QLatin1Char('/') + aside.first();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^registry\\.db\\.defekt-\\d{8}-\\d{6}$"))
                    .match(aside.first())
                    .hasMatch());
    EXPECT_EQ(aside.last(), aside.first() + QStringLiteral("-wal")); // the journal went with it
    EXPECT_EQ(TempDir::contents(asidePath), junk);                   // nothing lost
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
        tree().setValue(
            HKCU, QStringLiteral("K%1").arg(i % 30),
            SettingsValue::text(QStringLiteral("v%1").arg(i), QString(200, QLatin1Char('x'))),
            true);
    SettingsDatabase::reopen(); // checkpoints the WAL into the file
    QByteArray bytes = TempDir::contents(fresh.filePath());
    ASSERT_GT(bytes.size(), 4096 * 4);
    for (int i = 4096 + 16; i < 4096 * 3; ++i) // b-tree pages after the header page
        bytes[i] = char(0xA5);
    writeAll(fresh.filePath(), bytes);

    const QList<SettingsDatabase::Notice> notices = SettingsDatabase::takeStartupNotices();
    ASSERT_EQ(notices.size(), 1);
    EXPECT_EQ(notices[0].kind, SettingsDatabase::Notice::SetAside);
    ASSERT_EQ(asideFiles(fresh.folder()).size(), 1);
    expectFreshStoreWorks();
    EXPECT_FALSE(tree().keyExists(HKCU, QStringLiteral("K1")));
}

TEST(SettingsDatabase, InnerFailureRollsBackTheWholeTransaction)
{
    FreshSettings fresh;
    SettingsDatabase& db = SettingsDatabase::instance();
    {
        SettingsDatabase::Transaction outer(db, SettingsDatabase::Transaction::Write);
        ASSERT_TRUE(outer.isActive());
        EXPECT_TRUE(tree().createKey(HKCU, QStringLiteral("A\\B")));
        EXPECT_TRUE(tree().keyExists(HKCU, QStringLiteral("a\\b"))); // visible inside
        {
            SettingsDatabase::Transaction inner(db, SettingsDatabase::Transaction::Write);
            inner.fail();
        }
        EXPECT_FALSE(outer.commit());
    }
    EXPECT_FALSE(tree().keyExists(HKCU, QStringLiteral("A")));
    {
        SettingsDatabase::Transaction outer(db, SettingsDatabase::Transaction::Write);
        EXPECT_TRUE(tree().createKey(HKCU, QStringLiteral("A")));
        // Refusals are results, not failures: the work still commits.
        EXPECT_FALSE(tree().deleteValue(HKCU, QStringLiteral("A"), QStringLiteral("none")));
        EXPECT_FALSE(
            tree().setValue(HKCU, QStringLiteral("A"), SettingsValue{QString(), 7, {}}, true));
        EXPECT_FALSE(tree().setValue(HKCU, QStringLiteral("Missing"),
                                     SettingsValue::text(QString(), QString()), false));
        EXPECT_TRUE(outer.commit());
    }
    EXPECT_TRUE(tree().keyExists(HKCU, QStringLiteral("A")));
}

TEST(SettingsTree, PathsNamesAndTreeWalk)
{
    FreshSettings fresh;
    const SettingsTree t = tree();
    EXPECT_FALSE(SettingsTree::splitPath(QStringLiteral("a\\\\b")));
    EXPECT_FALSE(SettingsTree::splitPath(QStringLiteral("\\a")));
    EXPECT_EQ(SettingsTree::splitPath(QStringLiteral("a\\b\\"))->size(), 2);
    EXPECT_FALSE(SettingsTree::splitPath(QString(256, QLatin1Char('n'))));
    EXPECT_FALSE(t.createKey(0x80000004u, QStringLiteral("X")));

    EXPECT_TRUE(t.createKey(HKCU, QStringLiteral("Soft\\Zeta")));
    EXPECT_TRUE(t.createKey(HKCU, QStringLiteral("SOFT\\alpha\\Deep")));
    EXPECT_TRUE(t.setValue(HKCU, QStringLiteral("soft\\ALPHA"),
                           SettingsValue::dword(QStringLiteral("N"), 5), false));
    EXPECT_EQ(*t.subKeys(HKCU, QStringLiteral("Soft")),
              (QStringList{QStringLiteral("alpha"), QStringLiteral("Zeta")}));

    const auto walked = t.collectTree(HKCU, QStringLiteral("sOFT"));
    ASSERT_TRUE(walked);
    QStringList paths;
    for (const auto& entry : *walked)
        paths << entry.path;
    EXPECT_EQ(paths,
              (QStringList{QStringLiteral("Soft"), QStringLiteral("Soft\\alpha"),
                           QStringLiteral("Soft\\alpha\\Deep"), QStringLiteral("Soft\\Zeta")}));
    EXPECT_EQ(walked->at(1).values.at(0).toDword(), 5u);

    EXPECT_FALSE(t.deleteKey(HKCU, QStringLiteral("Soft"))); // has sub-keys
    EXPECT_FALSE(t.deleteTree(HKCU, QString()));             // never a root
    EXPECT_TRUE(t.deleteTree(HKCU, QStringLiteral("soft\\alpha")));
    EXPECT_TRUE(t.deleteTree(HKCU, QStringLiteral("soft\\alpha"))); // nothing left is success
    EXPECT_EQ(*t.subKeys(HKCU, QStringLiteral("Soft")), QStringList{QStringLiteral("Zeta")});
    qint32 keys = -1, values = -1;
    EXPECT_TRUE(t.counts(HKCU, QStringLiteral("Soft"), keys, values));
    EXPECT_EQ(keys, 1);
    EXPECT_EQ(values, 0);
}
