// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppErrorRecord.h"
#include "core/MessageTable.h"
#include "core/Registry.h"
#include "core/cuAppError.h"
#include "core/cuRecentFiles.h"
#include "platform/SettingsDatabase.h"
#include "support/FullDisk.h"
#include "support/Raised.h"
#include "support/ScriptedMessageBox.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <QFile>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>

namespace {
constexpr qint32 kListErrorBase = 1024 + cuAppError::ErrorBase;

const QString kListKey = u("Software\\Quexel\\Tolvane\\Test");

QString StoredValue(const char* name)
{
    return Registry().RegGetSettingString(HKEY_CURRENT_USER, kListKey, u(name), u("<missing>"));
}

// The list's own error number and text for a message.
void ExpectListError(const std::function<void()>& action, qint32 message,
                     const QString& arg = QString())
{
    const AppErrorRecord error = Raised(action);
    EXPECT_EQ(error.Number, kListErrorBase + message);
    EXPECT_EQ(error.Description, cuAppError::MsgParse(cuRecentFiles::Message(message),
                                                      arg.isNull() ? QVariant() : QVariant(arg)));
    EXPECT_TRUE(error.Source.startsWith(u("clsRecentFiles: ")));
}
} // namespace

TEST(cuRecentFiles, NewestFirstWithinTheCapacityAndAKnownPathMovesUp)
{
    cuRecentFiles list;
    for (const char* folder : {"/x/", "/y/", "/z/", "/x/"})
        list.Add(QLatin1String(folder));
    EXPECT_EQ(list.Count(), 3);
    list.Add(u("/X/")); // another entry
    list.Add(u("/w/"));
    ASSERT_EQ(list.Count(), 4);
    const char* expected[] = {"/w/", "/X/", "/x/", "/z/"};
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(list.Item(i).FullPath, QLatin1String(expected[i - 1]));
        EXPECT_EQ(list.Item(i).Name, u("File %1").arg(i));
    }
    EXPECT_EQ(list.LastFolder(), u("/w/"));
}

TEST(cuRecentFiles, ChoosingMovesToTheTopOrTellsThatTheEntryHasGone)
{
    TempDir dir;
    const QString folder = dir.makeDir(u("ordner")) + QLatin1Char('/');
    const QString file = dir.writeFile(u("prog.dll"), "MZ");
    const struct {
        const char* what;
        QString path;
        int message; // 0: still there
    } cases[] = {
        {"folder still there", folder, 0},
        {"file still there", file, 0},
        {"folder gone", dir.filePath(u("weg/")), Msg::FolderGone},
        {"file gone", dir.writeFile(u("weg.dll")), Msg::FileGone},
        {"a file where the folder was", file + QLatin1Char('/'), Msg::FolderGone},
    };
    for (const auto& c : cases) {
        ScriptedMessageBox boxes;
        cuRecentFiles list;
        list.Add(c.path);
        list.Add(u("/zuletzt/"));
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
    const struct {
        const char* path;
        int limit;
        const char* expected;
    } cases[] = {{"/home/benutzer/projekte/tolvane/quellen/bilder2/abcdefgh.txt", 40,
                  "/home/benutzer/projekte/.../abcdefgh.txt"},
                 {"/short/path.txt", 40, "/short/path.txt"},
                 {"/a/nnnnnnnnnnnn", 10, "nnnnnnn..."},
                 {"/aaaa/nnnnnnnnnn", 10, "nnnnnnnnnn"},
                 {"/aaaa/nnnnnnnnn", 10, "/nnnnnnnnn"},
                 {"/aaaaaaaaaa/bbbbbbbbbb/nnnnn", 12, "/.../nnnnn"},
                 {"/aaaa/bbbb/nnnnn", 9, ".../nnnnn"}};
    for (const auto& c : cases) {
        const QString shortText = cuRecentFiles::ShortHand(QLatin1String(c.path), c.limit);
        EXPECT_EQ(shortText, QLatin1String(c.expected)) << c.path;
        EXPECT_LE(shortText.size(), c.limit) << c.path;
    }
    // A folder keeps its own name readable, with its trailing "/".
    const QString folder = u("/home/benutzer/projekte/tolvane/quellen/bilder/urlaub/");
    const QString shortFolder = cuRecentFiles::ShortHand(folder, 30);
    EXPECT_LE(shortFolder.size(), 30);
    EXPECT_TRUE(shortFolder.endsWith(u("/.../urlaub/"))) << shortFolder.toStdString();
}

TEST(cuRecentFiles, MissingFilesAndNonPositiveCapacityOrLengthAreRefused)
{
    TempDir dir;
    cuRecentFiles list;
    list.Add(dir.writeFile(u("reg.dll"), "x"));
    EXPECT_EQ(list.LastFolder(), dir.path());
    ExpectListError([&] { list.Add(dir.filePath(u("gone.dll"))); }, 4);
    ExpectListError([&] { list.Add(QString()); }, 4);
    list.Clear();
    // Folders are not checked.
    list.Add(u("/a/"));
    list.Add(u("/b/"));
    ExpectListError([&] { list.SetMaxEntries(0); }, 6);
    EXPECT_EQ(list.MaxEntries(), 4);
    EXPECT_EQ(list.Count(), 2);
    ExpectListError([&] { list.SetMaxLength(0); }, 9);
    ExpectListError([&] { list.Item(3); }, 5);
    ExpectListError([&] { list.Remove(u("/c/")); }, 13, u("/c/"));

    QSignalSpy refreshed(&list, &cuRecentFiles::Refreshed);
    list.SetMaxEntries(1);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Item(1).FullPath, u("/b/"));
    EXPECT_EQ(refreshed.count(), 1);
}

TEST(cuRecentFiles, StoresAndReloadsAndDeletesStaleValues)
{
    {
        cuRecentFiles list;
        list.SetRegKey(QLatin1Char('\\') + kListKey + QLatin1Char('\\'));
        EXPECT_EQ(list.RegKey(), kListKey);
        for (const char* folder : {"/1/", "/2/", "/3/", "/4/"})
            list.Add(QLatin1String(folder));
    }
    EXPECT_EQ(StoredValue("File 1"), u("/4/"));
    EXPECT_EQ(StoredValue("File 4"), u("/1/"));
    EXPECT_EQ(StoredValue("RFL Max Entries"), u("4"));
    {
        cuRecentFiles list;
        list.SetRegKey(kListKey);
        ASSERT_EQ(list.Count(), 4);
        EXPECT_EQ(list.Item(1).FullPath, u("/4/"));
        list.Remove(1);
        list.Remove(u("/1/"));
    }
    EXPECT_EQ(StoredValue("File 1"), u("/3/"));
    EXPECT_EQ(StoredValue("File 2"), u("/2/"));
    EXPECT_EQ(StoredValue("File 3"), u("<missing>"));
    EXPECT_EQ(StoredValue("File 4"), u("<missing>"));

    // A stored capacity is read; long paths survive.
    const QString longPath = QLatin1Char('/') + QString(300, QLatin1Char('p')) + QLatin1Char('/');
    Registry().RegSaveSettingString(HKEY_CURRENT_USER, kListKey, u("RFL Max Entries"), u("2"));
    Registry().RegSaveSettingString(HKEY_CURRENT_USER, kListKey, u("File 1"), longPath);
    cuRecentFiles list;
    list.SetRegKey(kListKey);
    EXPECT_EQ(list.MaxEntries(), 2);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Item(1).FullPath, longPath);
    ExpectListError([&] { list.SetRegKey(QString()); }, 7);
    ExpectListError([&] { list.SetRegKey(QString(256, QLatin1Char('k'))); }, 7);
}

TEST(cuRecentFiles, AStoreThatCannotWriteSaysWhy)
{
    FullDisk disk;
    qputenv("TOLVANE_REGISTRY", QFile::encodeName(disk.path() + u("registry.db")));
    SettingsDatabase::reopen();
    cuRecentFiles list;
    list.SetRegKey(kListKey);
    disk.fill();
    const QString told =
        cuAppError::MsgParse(cuRecentFiles::Message(2), u("Kann nicht schreiben."));
    const int code = RunInChild(disk.childSetup(), [&] {
        SettingsDatabase::reopen(); // a connection of the child's own
        list.Add(u("/") + QString(3000, QLatin1Char('n')) + u("/"));
        try {
            list.Save();
            return 0;
        } catch (const AppErrorRecord& error) {
            return error.Description == told ? 1 : 2;
        }
    });
    EXPECT_EQ(code, 1);
    list.Clear(); // nothing left to write when the list ends
    SettingsDatabase::reopen();
}
