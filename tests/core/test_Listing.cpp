// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/FilePattern.h"
#include "core/FolderListing.h"
#include "support/TempDir.h"

#include <QFile>

#include <gtest/gtest.h>

TEST(FilePattern, WildcardsIgnoreCaseAndSeveralPatternsCombine)
{
    struct Case {
        const char* pattern;
        const char* name;
        bool matches;
    };
    const Case cases[] = {
        {"*.*", "README", true},
        {"*.*", "a.b", true},
        {"", "x", true},
        {"*.jpg", "Foto.JPG", true},
        {"*.jpg", "foto.jpeg", false},
        {"*.jpg;*.png", "a.png", true},
        {" *.jpg ; *.png ", "a.PNG", true},
        {"?.txt", "a.txt", true},
        {"?.txt", "ab.txt", false},
        {"a*b*c", "aXXbYYc", true},
        {"a*b*c", "aXXbYY", false},
        {"*ä*", "BÄR.txt", true},
        {"*.tar.gz", "x.tar.gz", true},
        {"**", "anything", true},
        {"x", "X", true},
        // A "*" in the name is an ordinary character, never a wildcard.
        {"*.txt", "*notiz.txt", true},
        {"a?c", "a*c", true},
        {"*a*a*a*", "aaa", true},
        {"*a*a*a*", "aa", false},
        {"*.txt", "a.txt.bak", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FilePattern(QString::fromUtf8(c.pattern)).Matches(QString::fromUtf8(c.name)),
                  c.matches)
            << c.pattern << " ~ " << c.name;
}

TEST(FolderListing, SortsByNameIgnoringCaseThenExactAndSkipsDotFilesAndFolders)
{
    TempDir dir;
    for (const char* name : {"b.txt", "B.txt", "a.TXT", "c.jpg", ".hidden.txt"})
        dir.writeFile(QLatin1String(name), "x");
    dir.makeDir(QStringLiteral("sub.txt"));
    dir.makeDir(QStringLiteral(".git"));
    QFile::link(dir.filePath(QStringLiteral("c.jpg")), dir.filePath(QStringLiteral("link.jpg")));
    QFile::link(dir.filePath(QStringLiteral("nowhere")),
                dir.filePath(QStringLiteral("broken.jpg")));

    EXPECT_EQ(
        FolderListing::Files(dir.path(), FilePattern(QStringLiteral("*.*"))),
        (QStringList{QStringLiteral("a.TXT"), QStringLiteral("B.txt"), QStringLiteral("b.txt"),
                     QStringLiteral("c.jpg"), QStringLiteral("link.jpg")}));
    EXPECT_EQ(
        FolderListing::Files(dir.path(), FilePattern(QStringLiteral("*.txt"))),
        (QStringList{QStringLiteral("a.TXT"), QStringLiteral("B.txt"), QStringLiteral("b.txt")}));
    EXPECT_EQ(FolderListing::Folders(dir.path()), QStringList{QStringLiteral("sub.txt")});
    EXPECT_TRUE(FolderListing::HasFile(dir.path(), FilePattern(QStringLiteral("*.jpg"))));
    EXPECT_FALSE(FolderListing::HasFile(dir.path(), FilePattern(QStringLiteral("*.png"))));
    EXPECT_TRUE(
        FolderListing::Files(dir.filePath(QStringLiteral("missing/")), FilePattern()).isEmpty());
}
