// SPDX-License-Identifier: GPL-3.0-or-later
#include "dircomp/DirCompFixture.h"

#include "cli/CompareCommand.h"
#include "platform/FileNameCodec.h"
#include "platform/SystemError.h"
#include "rename/NameEscape.h"
#include "support/CliRun.h"
#include "support/TestText.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {
CliResult compare(const TwoFolders& f, const QStringList& more = {})
{
    return runCli(QStringList{u("compare"), f.source(), f.dest()} + more);
}
} // namespace

TEST(CompareCommand, EscapesEveryByteThatIsNotPrintableUtf8)
{
    const std::pair<QByteArray, QByteArray> cases[] = {
        {"plain name.txt", "plain name.txt"},
        {"back\\slash", "back\\\\slash"},
        {"tab\tlf\ncr\r", "tab\\tlf\\ncr\\r"},
        {QByteArray("nul\0bell\aesc\x1b", 13), "nul\\x00bell\\x07esc\\x1b"},
        {"del\x7f", "del\\x7f"},
        {"\xc3\xbc\xe2\x82\xac\xf0\x9f\x98\x80", "\xc3\xbc\xe2\x82\xac\xf0\x9f\x98\x80"},
        {"\xc2\x85", "\xc2\x85"},                     // C1 control, well-formed
        {"\xf4\x8f\xbf\xbf", "\xf4\x8f\xbf\xbf"},     // U+10FFFF
        {"\xc0\xaf\xc1\xbf", "\\xc0\\xaf\\xc1\\xbf"}, // overlong two-byte forms
        {"\xe0\x80\xaf", "\\xe0\\x80\\xaf"},          // overlong three-byte form
        {"\xf0\x8f\xbf\xbf", "\\xf0\\x8f\\xbf\\xbf"}, // overlong four-byte form
        {"\xed\xa0\x80x", "\\xed\\xa0\\x80x"},        // a surrogate
        {"\xf4\x90\x80\x80", "\\xf4\\x90\\x80\\x80"}, // beyond U+10FFFF
        {"\xf5\xff", "\\xf5\\xff"},
        {"\xe2\x82", "\\xe2\\x82"}, // cut short at the end
        {"\xe2\x82x\xe2\x82\xac", "\\xe2\\x82x\xe2\x82\xac"},
        {"\x80\xc3\xbc", "\\x80\xc3\xbc"}, // a lone continuation byte
    };
    for (const auto& [name, printed] : cases)
        EXPECT_EQ(EscapeName(name), printed) << name.toHex().toStdString();
}

// The whole output on a tree with every class and odd names, in the names' byte
// order (capitals before small letters, bytes above 0x7f last). --diff-only:
// the sync test below.
TEST(CompareCommand, PrintsBothListsInByteOrder)
{
    TwoFolders f;
    TwoFolders::put(f.source(), "b", "new", 1'700'000'100);
    TwoFolders::put(f.dest(), "b", "old", 1'700'000'000);
    TwoFolders::put(f.source(), "B", "older", 1'600'000'000);
    TwoFolders::put(f.dest(), "B", "newer", 1'700'000'000);
    TwoFolders::put(f.source(), "a\tb", "x");
    TwoFolders::put(f.source(), "\xfc-latin1", "x");
    TwoFolders::put(f.source(), "\xc3\xbc-utf8", "x");
    TwoFolders::put(f.dest(), "z\\extra", "x");
    TwoFolders::put(f.dest(), "Z\nextra", "x");

    const CliResult all = compare(f);
    EXPECT_EQ(all.code, 0) << all.err.toStdString();
    EXPECT_EQ(all.bytes, QByteArray("source\tSame\tB\n"
                                    "source\tDiffers\ta\\tb\n"
                                    "source\tDiffers\tb\n"
                                    "source\tDiffers\t\xc3\xbc-utf8\n"
                                    "source\tDiffers\t\\xfc-latin1\n"
                                    "dest\tSame\tB\n"
                                    "dest\tExtra\tZ\\nextra\n"
                                    "dest\tSame\tb\n"
                                    "dest\tExtra\tz\\\\extra\n"));
}

TEST(CompareCommand, SyncPrintsEachItemAndExitsThreeWhenItSkipped)
{
    TwoFolders f;
    TwoFolders::put(f.source(), "same", "abc", 1'700'000'000);
    TwoFolders::put(f.dest(), "same", "abc", 1'700'000'000);
    TwoFolders::put(f.source(), "other bytes", "abc", 1'700'000'000);
    TwoFolders::put(f.dest(), "other bytes", "xyz", 1'700'000'000);
    TwoFolders::put(f.source(), "new", "1");
    TwoFolders::put(f.dest(), "surplus", "1");

    const CliResult first =
        compare(f, {u("--diff-only"), u("--sync"), u("delete-extra,copy,delete-same")});
    EXPECT_EQ(first.code, 3) << first.err.toStdString();
    EXPECT_EQ(first.bytes, QByteArray("source\tDiffers\tnew\n"
                                      "dest\tExtra\tsurplus\n"
                                      "skipped\tcontent\tother bytes\n"
                                      "deleted-source\tsame\n"
                                      "copied\tnew\n"
                                      "deleted-dest\tsurplus\n"));
    // Without the skipped names the run is clean.
    const CliResult clean = compare(f, {u("--sync=delete-extra")});
    EXPECT_EQ(clean.code, 0);
    EXPECT_TRUE(clean.err.isEmpty());
}

TEST(CompareCommand, WrongCallsAndFailuresSayWhyInGerman)
{
    TwoFolders f;
    TwoFolders::put(f.source(), "a", "1");
    const QString missing = f.dir.filePath(u("fehlt"));
    const QString s = f.source(), d = f.dest();
    const std::pair<QStringList, int> calls[] = {
        {{}, 2},
        {{s}, 2},
        {{s, d, d}, 2},
        {{s, QString()}, 2},
        {{s, d, u("--fast")}, 2},
        {{s, d, u("--sync=copy,")}, 2},
        {{s, d, u("--sync"), u("move")}, 2},
        {{s, d, u("--sync")}, 2},
        {{missing, d}, 1},
        {{s, s + u("./")}, 1},
    };
    for (const auto& [args, code] : calls) {
        const CliResult run = runCli(QStringList{u("compare")} + args);
        EXPECT_EQ(run.code, code) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(run.bytes.isEmpty());
        EXPECT_FALSE(run.err.isEmpty());
    }
    EXPECT_EQ(runCli({u("compare"), missing, d}).err,
              u("Der Ordner '%1/' kann nicht gelesen werden: %2.\n")
                  .arg(missing, SystemErrorText(ENOENT)));
    // Two empty folders: nothing to list, nothing wrong.
    TwoFolders empty;
    const CliResult none = compare(empty, {u("--sync=copy")});
    EXPECT_EQ(none.code, 0);
    EXPECT_TRUE(none.bytes.isEmpty());
}
