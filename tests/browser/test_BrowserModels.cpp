// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/DirBoxModel.h"
#include "browser/FileBoxModel.h"
#include "browser/FileInfoText.h"
#include "browser/TextPreview.h"
#include "support/TempDir.h"

#include <QFile>

#include <gtest/gtest.h>

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

TEST(FileBoxModel, RefreshKeepsTheNamesStillThereAndShowsRawNamesReadably)
{
    TempDir dir;
    for (const char* name : {"a.txt", "A.txt", "b.txt", "c.txt"})
        dir.writeFile(QLatin1String(name));
    const QString raw = dir.writeFileNamed("caf\xe9.txt");
    FileBoxModel model;
    model.SetPath(dir.path());
    QFile::remove(dir.filePath(QStringLiteral("b.txt")));
    dir.writeFile(QStringLiteral("0neu.txt"));
    const QStringList kept = model.NamesAt(model.RefreshKeeping(
        {QStringLiteral("a.txt"), QStringLiteral("b.txt"), raw.mid(dir.path().size())}));
    // A file is its exact name: "A.txt" was not kept, "b.txt" is gone.
    EXPECT_EQ(kept, (QStringList{QStringLiteral("a.txt"), raw.mid(dir.path().size())}));
    const int row = int(model.Names().indexOf(raw.mid(dir.path().size())));
    EXPECT_EQ(model.data(model.index(row)).toString(), QStringLiteral("caf\uFFFD.txt"));
}

TEST(TextPreview, PreviewKindByPictureSupportThenExtension)
{
    const struct {
        const char* name;
        bool picture;
        PreviewKind kind;
    } cases[] = {{"bild.jpg", true, PreviewKind::Picture}, {"notiz.TXT", false, PreviewKind::Text},
                 {"setup.ini", false, PreviewKind::Text},  {"txt", false, PreviewKind::None},
                 {"a.txt.bak", false, PreviewKind::None},  {"ini.txt", true, PreviewKind::Picture}};
    for (const auto& c : cases)
        EXPECT_EQ(PreviewOf(QLatin1String(c.name), c.picture), c.kind) << c.name;
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
