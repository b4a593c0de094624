// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/FileUtil.h"
#include "core/PathUtil.h"
#include "platform/FileTimes.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {
constexpr FileTimes::Stamp kOdd{1700000000, 123456789};
} // namespace

TEST(FileQueries, ExistenceOfFilesAndFoldersAndLongNames)
{
    TempDir dir;
    const QString file = dir.writeFile(u("mit leer.txt"), "x");
    const QString folder = dir.makeDir(u("ordner"));

    EXPECT_TRUE(FileExists(file));
    EXPECT_TRUE(FileExists(u("\"") + file + u("\"")));
    EXPECT_FALSE(FileExists(folder));
    EXPECT_FALSE(FileExists(dir.filePath(u("fehlt.txt"))));
    EXPECT_FALSE(FileExists(QString()));
    // A wildcard is a character of a name, not a search.
    EXPECT_FALSE(FileExists(dir.filePath(u("*.txt"))));

    EXPECT_TRUE(FolderExists(folder));
    EXPECT_TRUE(FolderExists(u(" \"") + folder + u("\" ")));
    EXPECT_FALSE(FolderExists(file));
    EXPECT_FALSE(FolderExists(QString()));
    EXPECT_TRUE(FolderExistsNoQuotes(folder.chopped(1)));
    EXPECT_FALSE(FolderExistsNoQuotes(u("\"") + folder + u("\"")));
    EXPECT_FALSE(FolderExistsNoQuotes(QString()));

    // Long names are the names themselves.
    EXPECT_EQ(LongName(file), u("mit leer.txt"));
    EXPECT_EQ(LongName(dir.path()), FileNameOf(dir.path().chopped(1)));
    EXPECT_EQ(LongName(u("/")), u("/"));
    EXPECT_EQ(LongName(dir.filePath(u("fehlt"))), QString());
    EXPECT_EQ(LongPathName(file), file);
    EXPECT_EQ(LongPathName(dir.filePath(u("fehlt"))), QString());
}

TEST(FindFilesByMasks, ListsEveryFileOnceAndKeepsNamesDifferingInCase)
{
    TempDir dir;
    for (const char* name : {"a.bmp", "B.BMP", "b.bmp", "c.txt", ".versteckt.bmp"})
        dir.writeFile(u(name));
    dir.makeDir(u("ordner.bmp"));

    QStringList files;
    EXPECT_EQ(FindFilesByMasks(dir.path(), u("Bilder|*.bmp|Alle|*.*"), files), 5);
    EXPECT_EQ(files,
              (QStringList{u(".versteckt.bmp"), u("a.bmp"), u("B.BMP"), u("b.bmp"), u("c.txt")}));

    // Names already in the list stay and are not repeated; the folder needs no "/".
    QStringList more{u("c.txt")};
    EXPECT_EQ(FindFilesByMasks(dir.path().chopped(1), u("Text|*.TXT;*.bmp"), more), 5);
    EXPECT_EQ(more.first(), u("c.txt"));
    EXPECT_EQ(more.count(u("c.txt")), 1);

    QStringList none{u("bleibt")};
    EXPECT_EQ(FindFilesByMasks(dir.path(), u("Archive|*.zip"), none), -1);
    EXPECT_EQ(none, QStringList{u("bleibt")});
    EXPECT_EQ(FindFilesByMasks(dir.filePath(u("fehlt")), u("Alle|*.*"), none), -1);
    EXPECT_EQ(FindFilesByMasks(QString(), u("Alle|*.*"), none), 0);
    EXPECT_EQ(FindFilesByMasks(dir.path(), QString(), none), 0);
    // A filter without a description has no pattern.
    EXPECT_EQ(FindFilesByMasks(dir.path(), u("*.bmp"), none), -1);
}

TEST(FileTimesPlatform, RoundTripInNanosecondsBirthNeverSetBadStampsFail)
{
    TempDir dir;
    for (const QString& path : {dir.writeFile(u("f.txt"), "abc"), dir.makeDir(u("ordner"))}) {
        SCOPED_TRACE(path.toStdString());
        ASSERT_TRUE(FileTimes::write(path, FileTimes::Modification, kOdd));
        EXPECT_EQ(FileTimes::read(path, FileTimes::Modification), kOdd);

        const FileTimes::Stamp access{1600000000, 987654321};
        ASSERT_TRUE(FileTimes::write(path, FileTimes::Access, access));
        EXPECT_EQ(FileTimes::read(path, FileTimes::Access), access);
        // Setting one time leaves the other alone.
        EXPECT_EQ(FileTimes::read(path, FileTimes::Modification), kOdd);
    }

    // The birth time is read or absent, never set; missing entries and bad stamps fail.
    const QString file = dir.writeFile(u("f"));
    const auto birth = FileTimes::read(file, FileTimes::Birth);
    if (birth) {
        EXPECT_LE(std::abs(birth->seconds - QDateTime::currentSecsSinceEpoch()), 120);
    }
    EXPECT_EQ(GetFileTimeDate(file, ftCreation).isValid(), birth.has_value());
    EXPECT_FALSE(FileTimes::write(file, FileTimes::Birth, kOdd));
    EXPECT_FALSE(SetFileTimeDate(file, ftCreation, QDateTime::currentDateTime(), false));
    EXPECT_EQ(FileTimes::read(file, FileTimes::Birth), birth);

    const QString missing = dir.filePath(u("fehlt"));
    EXPECT_FALSE(FileTimes::read(missing, FileTimes::Modification));
    EXPECT_FALSE(FileTimes::write(missing, FileTimes::Modification, kOdd));
    EXPECT_FALSE(FileTimes::read(QString(), FileTimes::Access));
    EXPECT_FALSE(FileTimes::write(file, FileTimes::Modification, {1, 1000000000}));
    EXPECT_FALSE(FileTimes::write(file, FileTimes::Modification, {1, -1}));

    EXPECT_FALSE(GetFileTimeDate(missing, ftLastWrite).isValid());
    EXPECT_FALSE(SetFileTimeDate(missing, ftLastWrite, QDateTime::currentDateTime(), false));
    EXPECT_FALSE(GetFileTimeDate(file, 3).isValid());
    EXPECT_FALSE(SetFileTimeDate(file, -1, QDateTime::currentDateTime(), false));
}

TEST(FileTimeDate, LocalTimeInWholeSecondsBothWaysAndNow)
{
    TempDir dir;
    const QString file = dir.writeFile(u("f.txt"));
    ASSERT_TRUE(FileTimes::write(file, FileTimes::Modification, kOdd));
    const QDateTime read = GetFileTimeDate(file, ftLastWrite);
    EXPECT_EQ(read, QDateTime::fromSecsSinceEpoch(kOdd.seconds, Qt::LocalTime));
    EXPECT_EQ(read.time().msec(), 0);

    const QDateTime wanted(QDate(2020, 5, 6), QTime(7, 8, 9), Qt::LocalTime);
    for (qint32 which : {ftLastAccess, ftLastWrite}) {
        ASSERT_TRUE(SetFileTimeDate(file, which, wanted, false)) << which;
        EXPECT_EQ(GetFileTimeDate(file, which), wanted) << which;
    }

    // No value means now.
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    ASSERT_TRUE(SetFileTimeDate(file, ftLastAccess, QDateTime(), false));
    const QDateTime now = GetFileTimeDate(file, ftLastAccess);
    EXPECT_GE(now, before);
    EXPECT_LE(now, QDateTime::currentDateTime().addSecs(1));
}
