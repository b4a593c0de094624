// SPDX-License-Identifier: GPL-3.0-or-later
// The check pass on real folders: which status each file gets.
#include "RenameTesting.h"
#include "platform/FileNameCodec.h"
#include "rename/RenameCheck.h"
#include "rename/RenamePreviewModel.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {
// "old>status" per listed file, in processing order.
QStringList Check(const RenameSource& source, const RenameRule& rule, qint64 counter = 0)
{
    pRenFiles files;
    EXPECT_TRUE(CheckRename(rule, source, counter, files));
    QStringList out;
    for (const pRenFile& f : files)
        out << f.OldName + QLatin1Char('>') + RenameStatusWord(f.Status);
    return out;
}

QStringList Check(const TempDir& dir, const RenameRule& rule, const QString& mask = "*.*",
                  qint64 counter = 0)
{
    return Check(RenameSource::FromFolder(dir.path(), mask), rule, counter);
}

// Case is ignored, beyond ASCII too: an umlaut, the Kelvin sign, a letter
// outside the BMP (a surrogate pair), taken or wanted twice. The preview
// lists changes and problems, with the reason as tool tip.
TEST(RenameCheck, DuplicatesAndTakenNamesInBothOrdersAndThePreview)
{
    TempDir dir;
    WriteNamedFiles(dir.path(),
                    {"ab.txt", "ba.txt", "c.txt", "äpfel.txt", "k.txt", "\xf0\x90\x90\xa8.txt",
                     "n.txt", "q\xf0\x90\x90\x81.txt", "q\xf0\x90\x90\xa9.txt"});
    EXPECT_EQ(Check(dir, ReplaceRule("a", ""), "*a*"),
              (QStringList{"ab.txt>duplicate", "ba.txt>duplicate"}));
    pRenFiles files;
    qint64 counter = 0;
    CheckRename(ReplaceRule("a", ""), RenameSource::FromFolder(dir.path(), "*"), counter, files);
    RenamePreviewModel model;
    model.SetFiles(files);
    ASSERT_EQ(model.rowCount(), 2) << "unchanged names are left out";
    EXPECT_EQ(model.index(1, 1).data().toString(), QStringLiteral("b.txt"));
    EXPECT_EQ(model.index(1, 2).data().toString(), QStringLiteral("!"));
    EXPECT_EQ(model.index(1, 2).data(Qt::ToolTipRole).toString(),
              RenameStatusReason(RenameStatus::Duplicate));

    EXPECT_EQ(Check(dir, ReplaceRule("ab", "c"), "ab*"), (QStringList{"ab.txt>exists"}))
        << "a later file's name";
    EXPECT_EQ(Check(dir, ReplaceRule("c", "ab"), "c*"), (QStringList{"c.txt>exists"}))
        << "an earlier file's name";
    EXPECT_EQ(Check(dir, ReplaceRule("c", "AB"), "c*"), (QStringList{"c.txt>exists"}))
        << "case ignored";
    for (const char* taken : {"ÄPFEL", "\u212A", "\U00010400"})
        EXPECT_EQ(Check(dir, ReplaceRule("n", u(taken)), "n*"), QStringList{"n.txt>exists"})
            << taken;
    EXPECT_EQ(Check(dir, ReplaceRule("q", ""), "q*"),
              (QStringList{u("q\U00010401.txt>duplicate"), u("q\U00010429.txt>duplicate")}));
}

TEST(RenameCheck, ChainsSwapsAndCyclesAreOk)
{
    TempDir dir;
    WriteNamedFiles(dir.path(), {"a10.txt", "a8.txt", "a9.txt"});
    // "a10" sorts first: counted from 8 the three names go round.
    const RenameRule cycle = CountingRule();
    EXPECT_EQ(Check(dir, cycle, "*", 8), (QStringList{"a10.txt>ok", "a8.txt>ok", "a9.txt>ok"}));
    EXPECT_EQ(Check(dir, cycle, "a10*;a9*", 9), (QStringList{"a10.txt>ok", "a9.txt>ok"}))
        << "a swap";
    EXPECT_EQ(Check(dir, cycle, "*", 9), (QStringList{"a10.txt>ok", "a8.txt>ok", "a9.txt>ok"}))
        << "a chain ending in the free a11";
    EXPECT_EQ(Check(dir, cycle, "a8*;a9*", 9), (QStringList{"a8.txt>ok", "a9.txt>exists"}))
        << "a10 stays";
    EXPECT_EQ(Check(dir, cycle, "a8*", 10), (QStringList{"a8.txt>exists"}));
}

TEST(RenameCheck, NamesTakenByWhatIsNotListedAndNamesTheFolderCannotHold)
{
    TempDir dir;
    WriteNamedFiles(dir.path(), {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"});
    dir.makeDir(QStringLiteral("B.TXT2"));
    ASSERT_EQ(symlink("nowhere", (dir.path() + "C.txt2").toUtf8().constData()), 0);
    WriteNamedFiles(dir.path(), {".hidden2"});
    EXPECT_EQ(Check(dir, ExtensionRule("txt2"), "*.txt"),
              (QStringList{"a.txt>ok", "b.txt>exists", "c.txt>exists", "d.txt>ok", "e.txt>ok"}))
        << "a folder and a dangling link hold names";

    RenameRule rule = PartsRule(RenameRule::Parts::Before, "x/");
    EXPECT_EQ(Check(dir, rule, "a*"), (QStringList{"a.txt>char"}));
    rule.partsPos = 5;
    EXPECT_EQ(Check(dir, rule, "a*"), (QStringList{"a.txt>position"}));
    rule.parts = RenameRule::Parts::Whole;
    rule.text.clear();
    EXPECT_EQ(Check(dir, rule, "b*"), (QStringList{"b.txt>dot"})) << ".txt would hide it";
    rule.text = QString(252, QLatin1Char('x'));
    EXPECT_EQ(Check(dir, rule, "c*"), (QStringList{"c.txt>long"})) << "256 bytes";
    rule.text = QString(251, QLatin1Char('x'));
    EXPECT_EQ(Check(dir, rule, "c*"), (QStringList{"c.txt>ok"})) << "255 bytes";
}

TEST(RenameCheck, CaseTwinsAndNamesThatAreNotUtf8)
{
    TempDir dir;
    WriteNamedFiles(dir.path(), {"a.txt", "A.txt", "b\xff.txt"});
    const QString latin = DecodeFileName("b\xff.txt") + ">encoding";
    EXPECT_EQ(Check(dir, ReplaceRule("a", "x")),
              (QStringList{"A.txt>duplicate", "a.txt>duplicate", latin}));
    EXPECT_EQ(Check(dir, NumberedRule(1)), (QStringList{"A.txt>ok", "a.txt>ok", latin}));
    EXPECT_EQ(Check(dir, ReplaceRule("a", "A"), "a.txt"),
              (QStringList{"A.txt>unchanged", "a.txt>exists"}))
        << "A.txt stays";
}

TEST(RenameCheck, StandardInputNamesAreTheFolder)
{
    const RenameSource source =
        RenameSource::FromNames({"b.txt", "a.txt", ".x.txt", "c.dat"}, QStringLiteral("*.txt"));
    EXPECT_EQ(Check(source, ReplaceRule("b", "c")), (QStringList{"b.txt>ok", "a.txt>unchanged"}))
        << "the order given; c.dat has another name";
    RenameRule dat = ReplaceRule("b", "C");
    dat.changeExtension = true;
    dat.extension = QStringLiteral("dat");
    EXPECT_EQ(Check(source, dat).value(0), u("b.txt>exists")) << "c.dat is not listed";
    EXPECT_EQ(Check(source, ReplaceRule("b", ".x")).value(0), u("b.txt>dot"));
}

} // namespace
