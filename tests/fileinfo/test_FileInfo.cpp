// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/DateText.h"
#include "fileinfo/FileInfo.h"
#include "platform/FileNameCodec.h"
#include "support/TempDir.h"
#include "support/TestLocale.h"
#include "support/TestText.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

TEST(FileInfoFormat, FileSizeInTheCLocale)
{
    const ScopedLocale c(QLocale::c());
    const std::pair<qint64, const char*> cases[] = {
        {0, "0 bytes"},
        {1023, "1,023 bytes"},
        {1024, "1.00KB (1,024 bytes)"},
        {1152, "1.13KB (1,152 bytes)"},    // 1.125: halves round up
        {10239, "10.00KB (10,239 bytes)"}, // 9 whole KB: two places
        {10240, "10.0KB (10,240 bytes)"},
        {102400, "100KB (102,400 bytes)"},
        {1023999, "1000KB (1,023,999 bytes)"},
        {1024000, "0.98MB (1,024,000 bytes)"}, // MB from 1,000 KB on, not 1,024
        {1048576, "1.00MB (1,048,576 bytes)"},
        {10240000, "9.8MB (10,240,000 bytes)"},
        {1024000000, "0.95GB (1,024,000,000 bytes)"},
        {5LL << 40, "5120.00GB (5,497,558,138,880 bytes)"},
        {-1, "-1 bytes"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(FileInfo::FormatFileSize(bytes), QString::fromLatin1(text)) << bytes;
}

TEST(FileInfoFormat, SizesAndDatesInTheUsersLocale)
{
    EXPECT_EQ(FileInfo::FormatFileSize(1536), u("1,50KB (1.536 bytes)"));
    EXPECT_EQ(FileInfo::FormatFileSize(999), u("999 bytes"));
    const QDateTime value(QDate(2020, 2, 1), QTime(9, 5, 3, 999));
    EXPECT_EQ(FileInfo::FormatFileDate(value), u("Samstag, 1. Februar 2020 09:05:03"));
    EXPECT_EQ(FileInfo::FormatFileDate(QDateTime()), QString());
    // A general date at exactly midnight is the date alone.
    const QDate day(2024, 2, 29);
    EXPECT_EQ(GeneralDateText(QDateTime(day, QTime(0, 0))), u("29.02.2024"));
    EXPECT_EQ(GeneralDateText(QDateTime(day, QTime(0, 0, 1))), u("29.02.2024 00:00:01"));
}

class FileInfoTest : public ::testing::Test {
protected:
    TempDir dir;
    FileInfo info;
};

TEST_F(FileInfoTest, NamesAndExtensions)
{
    const struct {
        const char* name;
        const char* extension;
        bool hidden;
    } cases[] = {
        {"a.tar.gz", "gz", false}, {"LIESMICH", "", false},          {".profil", "profil", true},
        {"ende.", "", false},      {"Groß Klein.TXT", "TXT", false},
    };
    for (const auto& c : cases) {
        const QString path = dir.writeFile(QString::fromUtf8(c.name), "x");
        info.setFullPathName(path);
        ASSERT_TRUE(info.FileExists()) << c.name;
        EXPECT_EQ(info.Filename(), QString::fromUtf8(c.name));
        EXPECT_EQ(info.FilePath(), dir.path());
        EXPECT_EQ(info.FullPathName(), path);
        EXPECT_EQ(info.FileExtension(), QString::fromLatin1(c.extension)) << c.name;
        EXPECT_EQ(info.attrHidden(), c.hidden) << c.name;
        EXPECT_FALSE(info.attrSystem());
        EXPECT_EQ(info.Attributes() & FileInfo::AttrDirectory, 0u);
    }
}

TEST_F(FileInfoTest, TypeNameFallsBackToTheExtension)
{
    // Bytes no type matches, under names no type claims.
    const QByteArray unknown("\x01\x9f\x00\x13\x7f\x02", 6);
    info.setFullPathName(dir.writeFile(u("daten.qqzx"), unknown));
    EXPECT_EQ(info.TypeName(), u("QQZX File"));
    info.setFullPathName(dir.writeFile(u("daten"), unknown));
    EXPECT_EQ(info.TypeName(), u("File"));
    // A type the database knows is described by it.
    info.setFullPathName(dir.writeFile(u("notiz.txt"), "Hallo"));
    EXPECT_FALSE(info.TypeName().isEmpty());
    EXPECT_NE(info.TypeName(), u("TXT File"));
}

TEST_F(FileInfoTest, PathsAreResolvedAndCleaned)
{
    const QString file = dir.writeFile(u("sub/datei.txt"), "abc");
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    info.setFullPathName(u("sub/../sub/./datei.txt"));
    QDir::setCurrent(previous);
    EXPECT_EQ(info.FullPathName(), file);
    EXPECT_EQ(info.FilePath(), dir.path() + u("sub/"));

    // A folder, with or without a trailing "/", loads the folder's own entry.
    for (const QString& folder : {dir.path() + u("sub"), dir.path() + u("sub/")}) {
        info.setFullPathName(folder);
        EXPECT_TRUE(info.FileExists());
        EXPECT_EQ(info.Filename(), u("sub"));
        EXPECT_NE(info.Attributes() & FileInfo::AttrDirectory, 0u);
        EXPECT_FALSE(info.TypeName().isEmpty());
    }
    info.setFullPathName(u("/"));
    EXPECT_TRUE(info.FileExists());
    EXPECT_EQ(info.FilePath(), u("/"));
    EXPECT_EQ(info.FullPathName(), u("/"));
    EXPECT_TRUE(info.Filename().isEmpty());
}

TEST_F(FileInfoTest, MissingEntriesAndUnusablePathsKeepTheRecord)
{
    const QString file = dir.writeFile(u("da.txt"), "12345");
    info.setFullPathName(file);
    ASSERT_EQ(info.Size(), 5);
    info.setFullPathName(dir.filePath(u("weg.txt")));
    EXPECT_FALSE(info.FileExists());
    EXPECT_TRUE(info.PathExists());
    EXPECT_EQ(info.Filename(), u("da.txt"));
    EXPECT_EQ(info.Size(), 5);

    info.setFullPathName(file);
    for (const QString& bad :
         {QString(), u("/") + QString(5000, QLatin1Char('x')), u("a") + QChar(0) + u("b")}) {
        info.setFullPathName(bad);
        EXPECT_TRUE(info.FileExists());
        EXPECT_EQ(info.FullPathName(), file);
    }
    FileInfo fresh;
    EXPECT_FALSE(fresh.FileExists());
    EXPECT_EQ(fresh.Attributes(), 0u);
    EXPECT_TRUE(fresh.FullPathName().isEmpty());
}

TEST_F(FileInfoTest, WildcardsDescribeTheFirstMatchingEntry)
{
    for (const char* name : {"b.txt", "a.log", "C.txt", "B.txt"})
        dir.writeFile(u(name));
    info.setFullPathName(dir.path() + u("*.TXT"));
    ASSERT_TRUE(info.FileExists());
    // Letter case ignored, and of two names that differ only in case the capital comes first.
    EXPECT_EQ(info.Filename(), u("B.txt"));
    EXPECT_EQ(info.FullPathName(), dir.path() + u("B.txt"));
    info.setFullPathName(dir.path() + u("?.log"));
    EXPECT_EQ(info.Filename(), u("a.log"));
    info.setFullPathName(dir.path() + u("*.doc"));
    EXPECT_FALSE(info.FileExists());
    // A name that is not UTF-8 is found by its bytes.
    dir.writeFileNamed("\xe4rger.dat", "x");
    info.setFullPathName(dir.path() + u("*.dat"));
    ASSERT_TRUE(info.FileExists());
    EXPECT_TRUE(EncodeFileName(info.FullPathName()).endsWith("/\xe4rger.dat"));
}

TEST_F(FileInfoTest, SizesTimesAndAttributes)
{
    const QDateTime modified(QDate(2019, 6, 15), QTime(14, 30, 45, 678));
    const QString file = dir.writeFile(u("gross.bin"), QByteArray(10, 'x'));
    // Sparse: five GiB long, next to nothing on disk.
    ASSERT_EQ(truncate(QFile::encodeName(file).constData(), 5LL << 30), 0);
    QFile stamp(file);
    ASSERT_TRUE(stamp.open(QIODevice::ReadWrite));
    ASSERT_TRUE(stamp.setFileTime(modified, QFileDevice::FileModificationTime));
    stamp.close();
    info.setFullPathName(file);
    EXPECT_EQ(info.Size(), 5LL << 30);
    EXPECT_EQ(info.FileSizeHigh(), 1u);
    EXPECT_EQ(info.FileSize(), 1u << 30);
    EXPECT_LT(info.CompressedSize(), 1LL << 30);
    EXPECT_EQ(info.CompressedFileSizeHigh(), 0u);
    // Local time, whole seconds.
    EXPECT_EQ(info.ModifyTime(), QDateTime(QDate(2019, 6, 15), QTime(14, 30, 45)));
    EXPECT_EQ(info.ModifyTime().timeSpec(), Qt::LocalTime);
    // Creation is the birth time where the file system keeps one.
    if (info.CreationTime().isValid()) {
        EXPECT_LE(info.CreationTime(), QDateTime::currentDateTime());
    }
}

TEST_F(FileInfoTest, SpecialEntries)
{
    const QString fifo = dir.filePath(u("rohr"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // A pipe is never opened to guess its type: that would wait for a writer.
    info.setFullPathName(fifo);
    EXPECT_TRUE(info.FileExists());
    EXPECT_TRUE(info.attrSystem());
    EXPECT_FALSE(info.TypeName().isEmpty());

    const QString link = dir.filePath(u("verweis.txt"));
    ASSERT_EQ(symlink("/nirgends/ziel", QFile::encodeName(link).constData()), 0);
    info.setFullPathName(link);
    EXPECT_TRUE(info.FileExists());
    EXPECT_TRUE(info.attrReadOnly());

    if (geteuid() != 0) {
        const QString locked = dir.writeFile(u("fest.txt"), "x");
        QFile::setPermissions(locked, QFile::ReadOwner);
        info.setFullPathName(locked);
        EXPECT_TRUE(info.attrReadOnly());
    }
    info.setFullPathName(dir.writeFile(u("frei.txt"), "x"));
    EXPECT_FALSE(info.attrReadOnly());
}
