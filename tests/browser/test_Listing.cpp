// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/DirBoxModel.h"
#include "browser/FileBoxModel.h"
#include "browser/FileInfoText.h"
#include "browser/FilePattern.h"
#include "browser/FolderListing.h"
#include "browser/TextPreview.h"
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

TEST(FileBoxModel, FollowsFolderAndPattern)
{
    TempDir dir;
    dir.writeFile(QStringLiteral("one.txt"));
    dir.writeFile(QStringLiteral("two.ini"));
    FileBoxModel model;
    model.SetPath(dir.path().chopped(1));
    EXPECT_EQ(model.Path(), dir.path());
    EXPECT_EQ(model.rowCount(), 2);
    model.SetPattern(QStringLiteral("*.ini"));
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.data(model.index(0)).toString(), QStringLiteral("two.ini"));
    dir.writeFile(QStringLiteral("three.ini"));
    model.Refresh();
    EXPECT_EQ(model.Names(), (QStringList{QStringLiteral("three.ini"), QStringLiteral("two.ini")}));
}

TEST(DirBoxModel, AncestorsThenSubfolders)
{
    TempDir dir;
    dir.makeDir(QStringLiteral("top/Beta"));
    dir.makeDir(QStringLiteral("top/alpha"));
    dir.makeDir(QStringLiteral("top/.versteckt"));
    DirBoxModel model;
    ASSERT_TRUE(model.SetPath(dir.filePath(QStringLiteral("top"))));
    const QString top = dir.filePath(QStringLiteral("top/"));
    EXPECT_EQ(model.Path(), top);
    EXPECT_EQ(model.PathAt(0), QStringLiteral("/"));
    EXPECT_EQ(model.PathAt(model.CurrentRow()), top);
    EXPECT_EQ(model.data(model.index(model.CurrentRow())).toString(), QStringLiteral("top"));
    EXPECT_EQ(model.rowCount(), model.CurrentRow() + 3);
    EXPECT_EQ(model.PathAt(model.CurrentRow() + 1), top + QStringLiteral("alpha/"));
    EXPECT_EQ(model.PathAt(model.CurrentRow() + 2), top + QStringLiteral("Beta/"));
    EXPECT_FALSE(model.SetPath(dir.filePath(QStringLiteral("nicht-da"))));
    EXPECT_EQ(model.Path(), top);
    EXPECT_FALSE(model.SetPath(QStringLiteral("relative/path")));
}

TEST(TextPreview, DecodesByMarkThenUtf8ThenWindows1252)
{
    EXPECT_EQ(TextPreview::Decode("\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F", false), QStringLiteral("Grüß"));
    EXPECT_EQ(TextPreview::Decode(QByteArray("\xFF\xFE"
                                             "a\0b\0",
                                             6),
                                  false),
              QStringLiteral("ab"));
    EXPECT_EQ(TextPreview::Decode(QByteArray("\xFE\xFF\0a\0b", 6), false), QStringLiteral("ab"));
    EXPECT_EQ(TextPreview::Decode("Gr\xC3\xBC\xC3\x9F", false), QStringLiteral("Grüß"));
    EXPECT_EQ(TextPreview::Decode("Gr\xFC\xDF \x80", false), QStringLiteral("Grüß €"));
    // A sequence cut by the read limit is not taken for Windows-1252.
    EXPECT_EQ(TextPreview::Decode("ab\xC3", true), QStringLiteral("ab"));
    EXPECT_EQ(TextPreview::Decode("ab\xC3", false), QStringLiteral("ab\u00C3"));
}

TEST(TextPreview, ReadsOnlyTheHeadOfALargeFile)
{
    TempDir dir;
    const QString empty = dir.writeFile(QStringLiteral("leer.txt"));
    EXPECT_TRUE(TextPreview::Read(empty).isEmpty());
    const QString big = dir.writeFile(QStringLiteral("big.log"), QByteArray(3 * 1024 * 1024, 'x'));
    EXPECT_EQ(TextPreview::Read(big).size(), TextPreview::DefaultLimit);
    EXPECT_TRUE(TextPreview::Read(dir.filePath(QStringLiteral("fehlt.txt"))).isEmpty());
    // The whole-file reader keeps its contract: every byte, one character each.
    EXPECT_EQ(A_OpenFile(dir.writeFile(QStringLiteral("bytes.bin"), "A\xFF\x80")),
              QStringLiteral("A\u00FF\u0080"));
    EXPECT_EQ(A_OpenFile(big).size(), 3 * 1024 * 1024);
}

TEST(FileInfoText, CopyAllPadsLabelsAndCopyCurrentUsesATab)
{
    const QList<FileInfoRow> rows = {{QStringLiteral("Typ"), QStringLiteral("Text")},
                                     {QStringLiteral("Schreibgesch."), QStringLiteral("Nein")}};
    EXPECT_EQ(FileInfoText::CopyAll(QStringLiteral("/a/b.txt"), rows),
              QStringLiteral("/a/b.txt\r\n********\r\nTyp           Text\r\nSchreibgesch. Nein"));
    EXPECT_EQ(FileInfoText::CopyCurrent(QStringLiteral("/a/b.txt"), &rows[1]),
              QStringLiteral("/a/b.txt\r\n********\r\nSchreibgesch.\tNein"));
    EXPECT_EQ(FileInfoText::CopyCurrent(QStringLiteral("/x"), nullptr), QStringLiteral("/x\r\n**"));
}
