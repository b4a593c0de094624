// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppErrorRecord.h"
#include "core/MessageTable.h"
#include "core/Registry.h"
#include "core/cuAppError.h"
#include "core/cuRecentFiles.h"
#include "platform/SettingsDatabase.h"
#include "support/FullDisk.h"
#include "support/ScriptedMessageBox.h"
#include "support/TempDir.h"

#include <QFile>
#include <QSignalSpy>

#include <functional>

#include <gtest/gtest.h>

namespace {
constexpr qint32 kListErrorBase = 1024 + cuAppError::ErrorBase;

QString StoredValue(const QString& key, const QString& name)
{
    return Registry().RegGetSettingString(HKEY_CURRENT_USER, key, name,
                                          QStringLiteral("<missing>"));
}

const QString kListKey = QStringLiteral("Software\\Quexel\\Tolvane\\Test");

// The list's own error number and text for a message.
void ExpectListError(const std::function<void()>& action, qint32 message,
                     const QString& arg = QString())
{
    try {
        action();
        ADD_FAILURE() << "no error raised for message " << message;
    } catch (const AppErrorRecord& error) {
        EXPECT_EQ(error.Number, kListErrorBase + message);
        EXPECT_EQ(error.Description,
                  cuAppError::MsgParse(cuRecentFiles::Message(message),
                                       arg.isNull() ? QVariant() : QVariant(arg)));
        EXPECT_TRUE(error.Source.startsWith(QStringLiteral("clsRecentFiles: ")));
    }
}
} // namespace

TEST(cuRecentFiles, CapacityKeepsNewestFirstAndRenumbers)
{
    cuRecentFiles list;
    for (const char* folder : {"/a/", "/b/", "/c/", "/d/", "/e/"})
        list.Add(QLatin1String(folder));
    ASSERT_EQ(list.Count(), 4);
    const char* expected[] = {"/e/", "/d/", "/c/", "/b/"};
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(list.Item(i).FullPath, QLatin1String(expected[i - 1]));
        EXPECT_EQ(list.Item(i).Name, QStringLiteral("File %1").arg(i));
    }
}

TEST(cuRecentFiles, ExistingPathMovesToTopButOtherCaseIsAnotherEntry)
{
    cuRecentFiles list;
    for (const char* folder : {"/x/", "/y/", "/z/"})
        list.Add(QLatin1String(folder));
    list.Add(QStringLiteral("/x/")); // third: moves up
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Item(1).FullPath, QStringLiteral("/x/"));
    EXPECT_EQ(list.Item(2).FullPath, QStringLiteral("/z/"));
    EXPECT_EQ(list.Item(3).Name, QStringLiteral("File 3"));
    list.Add(QStringLiteral("/X/"));
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Item(1).FullPath, QStringLiteral("/X/"));
    EXPECT_EQ(list.LastFolder(), QStringLiteral("/X/"));
}

TEST(cuRecentFiles, FilesMustExistFoldersAreNotChecked)
{
    TempDir dir;
    const QString file = dir.writeFile(QStringLiteral("reg.dll"), "x");
    cuRecentFiles list;
    list.Add(file);
    EXPECT_EQ(list.LastFolder(), dir.path());
    ExpectListError([&] { list.Add(dir.filePath(QStringLiteral("gone.dll"))); }, 4);
    ExpectListError([&] { list.Add(QString()); }, 4);
    list.Add(QStringLiteral("/no/such/folder/"));
    EXPECT_EQ(list.Count(), 2);
}

TEST(cuRecentFiles, ChoosingMovesToTheTopOrTellsThatTheEntryHasGone)
{
    TempDir dir;
    const QString folder = dir.makeDir(QStringLiteral("ordner")) + QLatin1Char('/');
    const QString file = dir.writeFile(QStringLiteral("prog.dll"), "MZ");
    struct Case {
        const char* what;
        QString path;
        int message; // 0: still there
    };
    const Case cases[] = {
        {"folder still there", folder, 0},
        {"file still there", file, 0},
        {"folder gone", dir.filePath(QStringLiteral("weg/")), Msg::FolderGone},
        {"file gone", dir.writeFile(QStringLiteral("weg.dll")), Msg::FileGone},
        {"a file where the folder was", file + QLatin1Char('/'), Msg::FolderGone},
    };
    for (const Case& c : cases) {
        ScriptedMessageBox boxes;
        cuRecentFiles list;
        list.Add(c.path);
        list.Add(QStringLiteral("/zuletzt/"));
        if (c.message == Msg::FileGone)
            QFile::remove(c.path);
        const QString chosen = list.Choose(2);
        if (c.message == 0) {
            EXPECT_EQ(chosen, c.path) << c.what;
            EXPECT_EQ(list.Item(1).FullPath, c.path) << c.what;
            EXPECT_EQ(boxes.count(), 0) << c.what;
            continue;
        }
        EXPECT_TRUE(chosen.isEmpty()) << c.what;
        ASSERT_EQ(boxes.count(), 1) << c.what;
        EXPECT_EQ(boxes.lastText(), cuAppError::MsgParse(MessageTable::text(c.message), c.path))
            << c.what;
        EXPECT_EQ(boxes.shown().last().style, 48) << c.what;
        EXPECT_EQ(list.Count(), 1) << c.what;
    }
}

TEST(cuRecentFiles, ShortTextsKeepTheNameWithinTheLimit)
{
    // 60 characters, a 12-character file name, shown in at most 40.
    const QString path =
        QStringLiteral("/home/benutzer/projekte/tolvane/quellen/bilder2/abcdefgh.txt");
    ASSERT_EQ(path.size(), 60);
    const QString shortText = cuRecentFiles::ShortHand(path, 40);
    EXPECT_EQ(shortText, QStringLiteral("/home/benutzer/projekte/.../abcdefgh.txt"));
    EXPECT_LE(shortText.size(), 40);

    EXPECT_EQ(cuRecentFiles::ShortHand(QStringLiteral("/short/path.txt"), 40),
              QStringLiteral("/short/path.txt"));
    EXPECT_EQ(cuRecentFiles::ShortHand(QStringLiteral("/a/") + QString(12, QLatin1Char('n')), 10),
              QStringLiteral("nnnnnnn..."));
    EXPECT_EQ(
        cuRecentFiles::ShortHand(QStringLiteral("/aaaa/") + QString(10, QLatin1Char('n')), 10),
        QString(10, QLatin1Char('n')));
    EXPECT_EQ(cuRecentFiles::ShortHand(QStringLiteral("/aaaa/") + QString(9, QLatin1Char('n')), 10),
              QStringLiteral("/") + QString(9, QLatin1Char('n')));
    EXPECT_EQ(cuRecentFiles::ShortHand(QStringLiteral("/aaaaaaaaaa/bbbbbbbbbb/nnnnn"), 12),
              QStringLiteral("/.../nnnnn"));
    EXPECT_EQ(cuRecentFiles::ShortHand(QStringLiteral("/aaaa/bbbb/nnnnn"), 9),
              QStringLiteral(".../nnnnn"));
    // A folder keeps its own name readable, with its trailing "/".
    const QString folder = QStringLiteral("/home/benutzer/projekte/tolvane/quellen/bilder/urlaub/");
    const QString shortFolder = cuRecentFiles::ShortHand(folder, 30);
    EXPECT_LE(shortFolder.size(), 30);
    EXPECT_TRUE(shortFolder.endsWith(QStringLiteral("/.../urlaub/"))) << shortFolder.toStdString();
}

TEST(cuRecentFiles, CapacityAndLengthRefuseNonPositiveValues)
{
    cuRecentFiles list;
    list.Add(QStringLiteral("/a/"));
    list.Add(QStringLiteral("/b/"));
    ExpectListError([&] { list.SetMaxEntries(0); }, 6);
    EXPECT_EQ(list.MaxEntries(), 4);
    EXPECT_EQ(list.Count(), 2);
    ExpectListError([&] { list.SetMaxLength(0); }, 9);
    ExpectListError([&] { list.Item(3); }, 5);
    ExpectListError([&] { list.Remove(QStringLiteral("/c/")); }, 13, QStringLiteral("/c/"));

    QSignalSpy refreshed(&list, &cuRecentFiles::Refreshed);
    list.SetMaxEntries(1);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Item(1).FullPath, QStringLiteral("/b/"));
    EXPECT_EQ(refreshed.count(), 1);
}

TEST(cuRecentFiles, StoresAndReloadsAndDeletesStaleValues)
{
    const QString& key = kListKey;
    {
        cuRecentFiles list;
        list.SetRegKey(QLatin1Char('\\') + key + QLatin1Char('\\'));
        EXPECT_EQ(list.RegKey(), key);
        for (const char* folder : {"/1/", "/2/", "/3/", "/4/"})
            list.Add(QLatin1String(folder));
    }
    EXPECT_EQ(StoredValue(key, QStringLiteral("File 1")), QStringLiteral("/4/"));
    EXPECT_EQ(StoredValue(key, QStringLiteral("File 4")), QStringLiteral("/1/"));
    EXPECT_EQ(StoredValue(key, QStringLiteral("RFL Max Entries")), QStringLiteral("4"));
    {
        cuRecentFiles list;
        list.SetRegKey(key);
        ASSERT_EQ(list.Count(), 4);
        EXPECT_EQ(list.Item(1).FullPath, QStringLiteral("/4/"));
        list.Remove(1);
        list.Remove(QStringLiteral("/1/"));
    }
    EXPECT_EQ(StoredValue(key, QStringLiteral("File 1")), QStringLiteral("/3/"));
    EXPECT_EQ(StoredValue(key, QStringLiteral("File 2")), QStringLiteral("/2/"));
    EXPECT_EQ(StoredValue(key, QStringLiteral("File 3")), QStringLiteral("<missing>"));
    EXPECT_EQ(StoredValue(key, QStringLiteral("File 4")), QStringLiteral("<missing>"));
}

TEST(cuRecentFiles, StoredCapacityIsReadAndLongPathsSurvive)
{
    const QString& key = kListKey;
    const QString longPath = QLatin1Char('/') + QString(300, QLatin1Char('p')) + QLatin1Char('/');
    Registry().RegSaveSettingString(HKEY_CURRENT_USER, key, QStringLiteral("RFL Max Entries"),
                                    QStringLiteral("2"));
    Registry().RegSaveSettingString(HKEY_CURRENT_USER, key, QStringLiteral("File 1"), longPath);
    cuRecentFiles list;
    list.SetRegKey(key);
    EXPECT_EQ(list.MaxEntries(), 2);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Item(1).FullPath, longPath);
    ExpectListError([&] { list.SetRegKey(QString()); }, 7);
    ExpectListError([&] { list.SetRegKey(QString(256, QLatin1Char('k'))); }, 7);
}

TEST(cuRecentFiles, AStoreThatCannotWriteSaysWhy)
{
    FullDisk disk;
    qputenv("TOLVANE_REGISTRY", QFile::encodeName(disk.path() + QStringLiteral("registry.db")));
    SettingsDatabase::reopen();
    cuRecentFiles list;
    list.SetRegKey(kListKey);
    disk.fill();
    const int code = RunInChild(disk.childSetup(), [&list] {
        SettingsDatabase::reopen(); // a connection of the child's own
        list.Add(QStringLiteral("/") + QString(3000, QLatin1Char('n')) + QStringLiteral("/"));
        try {
            list.Save();
            return 0;
        } catch (const AppErrorRecord& error) {
            return error.Description ==
                           cuAppError::MsgParse(cuRecentFiles::Message(2),
                                                QStringLiteral("Kann nicht schreiben."))
                       ? 1
                       : 2;
        }
    });
    EXPECT_EQ(code, 1);
    list.Clear(); // nothing left to write when the list ends
    SettingsDatabase::reopen();
}
