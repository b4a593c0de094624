// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/DirBoxModel.h"
#include "browser/FileBoxModel.h"
#include "browser/FileInfoText.h"
#include "browser/TextPreview.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <QFile>

#include <gtest/gtest.h>

// A file is its exact name: "A.txt" is another file than "a.txt".
TEST(FileBoxModel, FollowsFolderAndPatternAndARefreshKeepsTheNamesStillThere)
{
    TempDir dir;
    for (const char* name : {"a.txt", "A.txt", "b.txt", "two.ini"})
        dir.writeFile(QLatin1String(name));
    const QString raw = dir.writeFileNamed("caf\xe9.txt").mid(dir.path().size());
    FileBoxModel model;
    model.SetPath(dir.path().chopped(1));
    EXPECT_EQ(model.Path(), dir.path());
    EXPECT_EQ(model.rowCount(), 5);
    EXPECT_EQ(model.index(int(model.Names().indexOf(raw))).data().toString(), u("caf\uFFFD.txt"));
    QFile::remove(dir.filePath(u("b.txt")));
    dir.writeFile(u("0neu.txt"));
    const QList<int> kept = model.RefreshKeeping({u("a.txt"), u("b.txt"), raw});
    EXPECT_EQ(model.NamesAt(kept), (QStringList{u("a.txt"), raw}));

    model.SetPattern(u("*.ini"));
    dir.writeFile(u("three.ini"));
    model.Refresh();
    EXPECT_EQ(model.Names(), (QStringList{u("three.ini"), u("two.ini")}));
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
    dir.makeDir(u("top/Beta"));
    dir.makeDir(u("top/alpha"));
    dir.makeDir(u("top/.versteckt"));
    DirBoxModel model;
    ASSERT_TRUE(model.SetPath(dir.filePath(u("top"))));
    const QString top = dir.filePath(u("top/"));
    EXPECT_EQ(model.Path(), top);
    EXPECT_EQ(model.PathAt(0), u("/"));
    EXPECT_EQ(model.PathAt(model.CurrentRow()), top);
    EXPECT_EQ(model.data(model.index(model.CurrentRow())).toString(), u("top"));
    EXPECT_EQ(model.rowCount(), model.CurrentRow() + 3);
    EXPECT_EQ(model.PathAt(model.CurrentRow() + 1), top + u("alpha/"));
    EXPECT_EQ(model.PathAt(model.CurrentRow() + 2), top + u("Beta/"));
    EXPECT_FALSE(model.SetPath(dir.filePath(u("nicht-da"))));
    EXPECT_EQ(model.Path(), top);
    EXPECT_FALSE(model.SetPath(u("relative/path")));
}

TEST(TextPreview, DecodesByMarkThenUtf8ThenWindows1252)
{
    EXPECT_EQ(TextPreview::Decode("\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F", false), u("Grüß"));
    EXPECT_EQ(TextPreview::Decode(QByteArray("\xFF\xFE"
                                             "a\0b\0",
                                             6),
                                  false),
              u("ab"));
    EXPECT_EQ(TextPreview::Decode(QByteArray("\xFE\xFF\0a\0b", 6), false), u("ab"));
    EXPECT_EQ(TextPreview::Decode("Gr\xC3\xBC\xC3\x9F", false), u("Grüß"));
    EXPECT_EQ(TextPreview::Decode("Gr\xFC\xDF \x80", false), u("Grüß €"));
    // A sequence cut by the read limit is not taken for Windows-1252.
    EXPECT_EQ(TextPreview::Decode("ab\xC3", true), u("ab"));
    EXPECT_EQ(TextPreview::Decode("ab\xC3", false), u("ab\u00C3"));
}

TEST(TextPreview, ReadsOnlyTheHeadOfALargeFile)
{
    TempDir dir;
    const QString big = dir.writeFile(u("big.log"), QByteArray(3 * 1024 * 1024, 'x'));
    EXPECT_EQ(TextPreview::Read(big).size(), TextPreview::DefaultLimit);
    EXPECT_TRUE(TextPreview::Read(dir.filePath(u("fehlt.txt"))).isEmpty());
    // The whole-file reader keeps its contract: every byte, one character each.
    EXPECT_EQ(A_OpenFile(dir.writeFile(u("bytes.bin"), "A\xFF\x80")), u("A\u00FF\u0080"));
    EXPECT_EQ(A_OpenFile(big).size(), 3 * 1024 * 1024);
}

TEST(FileInfoText, CopyAllPadsLabelsAndCopyCurrentUsesATab)
{
    const QList<FileInfoRow> rows = {{u("Typ"), u("Text")}, {u("Schreibgesch."), u("Nein")}};
    EXPECT_EQ(FileInfoText::CopyAll(u("/a/b.txt"), rows),
              u("/a/b.txt\r\n********\r\nTyp           Text\r\nSchreibgesch. Nein"));
    EXPECT_EQ(FileInfoText::CopyCurrent(u("/a/b.txt"), &rows[1]),
              u("/a/b.txt\r\n********\r\nSchreibgesch.\tNein"));
    EXPECT_EQ(FileInfoText::CopyCurrent(u("/x"), nullptr), u("/x\r\n**"));
}
