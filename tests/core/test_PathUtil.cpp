// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/PathUtil.h"
#include "support/TestText.h"

#include <QCoreApplication>
#include <QDir>
#include <QStorageInfo>

#include <gtest/gtest.h>

TEST(PathText, FileNameFolderBaseNameAndExtension)
{
    EXPECT_EQ(FileNameOf(u("/home/eva/brief.txt")), u("brief.txt"));
    EXPECT_EQ(FileNameOf(u("brief.txt")), u("brief.txt"));
    EXPECT_EQ(FileNameOf(u("/home/eva/")), QString());
    // The other separator: texts written by Windows programs.
    EXPECT_EQ(FileNameOf(u("C:\\x\\y.txt"), true), u("y.txt"));
    EXPECT_EQ(FileNameOf(u("/a/b"), true), u("/a/b"));

    EXPECT_EQ(FolderOf(u("/home/eva/brief.txt")), u("/home/eva"));
    EXPECT_EQ(FolderOf(u("/home/eva/brief.txt"), false, true), u("/home/eva/"));
    EXPECT_EQ(FolderOf(u("C:\\x\\y.txt"), true, true), u("C:\\x\\"));
    EXPECT_EQ(FolderOf(u("brief.txt"), false, true), u("brief.txt"));

    const std::pair<const char*, const char*> baseNames[] = {
        {"/a/b.tar.gz", "b.tar"}, {"C:\\x\\file.txt", "file"},
        {"/a.b/file", "file"},    {"noext", "noext"},
        {".bashrc", ""},          {"/a/b/", ""},
    };
    for (const auto& [path, expected] : baseNames)
        EXPECT_EQ(FileBaseName(u(path)), u(expected)) << path;

    const std::pair<const char*, const char*> extensions[] = {
        {"/a.b/file", "b/file"}, {"/a/file.TXT", "TXT"}, {"/a/file", ""}, {"x.", ""}};
    for (const auto& [path, expected] : extensions)
        EXPECT_EQ(ExtensionOfPath(u(path)), u(expected)) << path;
}

TEST(PathText, NetworkPathsAreTheDoubleSeparatorFormDrivesTheMountRoot)
{
    for (const char* yes : {"//srv/share", "\\\\srv\\share", "/\\x", "\\/x"})
        EXPECT_TRUE(IsNetworkPath(u(yes))) << yes;
    for (const char* no : {"/home/eva", "/", "", "relative/x", "\\"})
        EXPECT_FALSE(IsNetworkPath(u(no))) << no;

    EXPECT_EQ(NetworkShareRoot(u("//srv/share/a/b")).toString(), u("//srv/share"));
    EXPECT_EQ(NetworkShareRoot(u("\\\\srv\\share\\a")).toString(), u("\\\\srv\\share"));
    EXPECT_EQ(NetworkShareRoot(u("//srv")).toString(), u("//srv"));
    EXPECT_FALSE(NetworkShareRoot(u("/home/eva")).isValid());

    EXPECT_EQ(DriveOrShareOf(u("//srv/share/x")), u("//srv/share"));
    EXPECT_EQ(DriveOrShareOf(u("relative/x")), QString());
    EXPECT_EQ(DriveOrShareOf(QString()), QString());

    const QString temp = QDir::tempPath();
    QString expected = QStorageInfo(temp).rootPath();
    if (!expected.endsWith(QLatin1Char('/')))
        expected += QLatin1Char('/');
    EXPECT_EQ(DriveOrShareOf(temp + u("/x")), expected);
    // A path still to be created lies on the volume of its existing ancestor.
    EXPECT_EQ(DriveOrShareOf(temp + u("/nicht/da/datei.txt")), expected);
    EXPECT_EQ(DriveOrShareOf(u("/")), u("/"));
}

TEST(PathText, ValidPathsAreAbsoluteWithoutWildcardsAndShort)
{
    EXPECT_TRUE(IsValidPath(u("/home/eva/brief.txt")));
    EXPECT_TRUE(IsValidPath(u("/")));
    for (const char* bad : {"", "home/eva", "C:\\x", "/a*b", "/a?b"})
        EXPECT_FALSE(IsValidPath(u(bad))) << bad;
    EXPECT_FALSE(IsValidPath(u("/a") + QChar(0) + u("b")));

    // The limit counts bytes: 4095 are allowed, 4096 are not.
    EXPECT_TRUE(IsValidPath(u("/") + QString(4094, QLatin1Char('a'))));
    EXPECT_FALSE(IsValidPath(u("/") + QString(4095, QLatin1Char('a'))));
    const QString umlauts = u("/") + QString(2048, QChar(0xE4)); // 2049 characters, 4097 bytes
    EXPECT_FALSE(IsValidPathLength(umlauts));
    EXPECT_TRUE(IsValidPathLength(QString(100, QChar(0xE4))));
}

TEST(PathText, ParentFolderNeverClimbsAboveTheRootResolveFolderUsesABase)
{
    const struct {
        const char* folder;
        qint32 levels;
        bool slashForm;
        const char* expected;
    } parents[] = {
        {"/a/b/c/", 1, false, "/a/b/"},
        {"/a/b/c", 2, false, "/a/"},
        {"/a/", 5, false, "/"},
        {"/", 1, false, "/"},
        {"/a/b/", 0, false, "/a/b/"},
        {"/a/b/", -3, false, "/a/b/"},
        {"//srv/share/a/", 1, false, "//srv/share/"},
        {"C:\\a\\b\\", 1, true, "C:\\a\\"},
        {"a\\b\\", 3, true, "a\\..\\..\\"},
        {"", 1, false, ""},
    };
    for (const auto& c : parents)
        EXPECT_EQ(ParentFolder(u(c.folder), c.levels, c.slashForm), u(c.expected))
            << c.folder << " " << c.levels;

    const struct {
        const char* path;
        const char* base;
        const char* expected;
    } resolved[] = {
        {"../pics", "/a/b/", "/a/pics/"},
        {"..", "/a/b/", "/a/"},
        {"../", "/a/b", "/a/"},
        // Only ".." elements climb too (one level each).
        {"../../", "/a/b/c/", "/a/"},
        {"../../../../../", "/a/", "/"},
        {"sub", "/base/", "/base/sub/"},
        {"sub/", "/base", "/base/sub/"},
        {"\"/abs path\"", "/base/", "/abs path/"},
        {"/abs/", "/base/", "/abs/"},
        {"", "/base/", ""},
        {"\"\"", "/base/", ""},
    };
    for (const auto& c : resolved)
        EXPECT_EQ(ResolveFolder(u(c.path), u(c.base)), u(c.expected)) << c.path << " @ " << c.base;

    EXPECT_EQ(ResolveFolder(u("bilder"), QString()),
              QCoreApplication::applicationDirPath() + u("/bilder/"));
}
