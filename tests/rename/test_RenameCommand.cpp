// SPDX-License-Identifier: GPL-3.0-or-later
// tolvane-cli rename as scripts see it: its lines, escapes, exit codes.
#include "KillScenario.h"
#include "RenameTesting.h"
#include "platform/FileNameCodec.h"
#include "support/CliRun.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <QCoreApplication>
#include <QProcess>
#include <QScopeGuard>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace {
// tolvane-cli with `input` on its standard input.
CliResult RunWithInput(const QStringList& args, const QByteArray& input)
{
    TempDir dir;
    const QByteArray file = EncodeFileName(dir.writeFile(QStringLiteral("input"), input));
    return runCli(args, [&] { ::dup2(::open(file.constData(), O_RDONLY), 0); });
}

TEST(RenameCommand, LinesEscapesAndTheSameForStandardInput)
{
    TempDir dir;
    WriteNamedFiles(dir.path(),
                    {"tab\there.txt", "line\nbreak.txt", "back\\slash.txt", "bell\x07.txt",
                     "latin\xe9.txt", "umlaut\xc3\xa4.txt", "skip.dat", ".hidden.txt"});
    const QStringList rule{"--mask", "*.txt", "--mode", "insert", "--insert", "\r", "--at", "1"};
    const CliResult folder = runCli(QStringList{"rename", dir.path()} + rule);
    EXPECT_EQ(folder.code, 0) << "a name that is not UTF-8 is left alone, no problem";
    const QByteArray expected = "back\\\\slash.txt\t\\rback\\\\slash.txt\tok\n"
                                "bell\\x07.txt\t\\rbell\\x07.txt\tok\n"
                                "latin\\xe9.txt\tlatin\\xe9.txt\tencoding\n"
                                "line\\nbreak.txt\t\\rline\\nbreak.txt\tok\n"
                                "tab\\there.txt\t\\rtab\\there.txt\tok\n"
                                "umlaut\xc3\xa4.txt\t\\rumlaut\xc3\xa4.txt\tok\n";
    EXPECT_EQ(folder.bytes, expected);
    // Names as the check prints them, and two it does not list.
    const QByteArray names = "back\\\\slash.txt\nbell\\x07.txt\nlatin\\xe9.txt\nline\\nbreak.txt\n"
                             "tab\\there.txt\numlaut\xc3\xa4.txt\nskip.dat\n.hidden.txt\n";
    const CliResult input = RunWithInput(QStringList{"rename", "--stdin"} + rule, names);
    EXPECT_EQ(input.bytes, folder.bytes);
    EXPECT_EQ(input.code, folder.code);
}

TEST(RenameCommand, NullSeparatedFieldsAndInput)
{
    const QByteArray names = QByteArray("a\nb.txt\0c.txt\0", 14);
    const CliResult r = RunWithInput(
        {"rename", "--stdin", "--null", "--mode", "replace", "--find", "c", "--replace", "a\nb"},
        names);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.bytes, QByteArray("a\nb.txt\0a\nb.txt\0unchanged\0c.txt\0a\nb.txt\0exists\0", 47));
}

TEST(RenameCommand, WrongCallsExitWithTwo)
{
    TempDir dir;
    const QString d = dir.path();
    const QStringList cases[] = {
        {"rename", d}, // no rule
        {"rename", d, "--mode", "replace", "--find", "a", "--text", "b"},
        {"rename", d, "--find", "a"},
        {"rename", d, "--ext", "x", "--places", "3"},
        {"rename", d, "--ext", "x", "--number-at", "start"},
        {"rename", d, "--mode", "parts", "--text", "x"}, // one name for all
        {"rename", d, "--number", "1234567890123456789"},
        {"rename", d, "--number", "1", "--places", "1000"},
        {"rename", d, "--mode", "replace", "--find", "a", "--count", "some"},
        {"rename", d, "--mode", "replace", "--find", "a", "--start=x"},
        {"rename", d, "--stdin", "--ext", "x"},
        {"rename", "--ext", "x"},
        {"rename", "--stdin", "--ext", "x", "--run"},
        {"rename", "--undo", "--ext", "x"},
        {"rename", d, "--ext", "x", "--colour"},
    };
    for (const QStringList& args : cases) {
        const CliResult r = runCli(args);
        const std::string call = args.mid(1).join(' ').toStdString();
        EXPECT_EQ(r.code, 2) << call;
        EXPECT_TRUE(r.bytes.isEmpty()) << call;
        EXPECT_FALSE(r.err.isEmpty()) << call;
    }
    EXPECT_TRUE(runCli({"rename", d, "--mode", "parts", "--text", "x"})
                    .err.contains(QStringLiteral("doppelte Dateinamen")));
}

TEST(RenameCommand, RunRenamesOnlyWithoutProblemsAndUndoRestores)
{
    TempDir dir;
    WriteNamedFiles(dir.path(), {"a10.txt", "a8.txt", "a9.txt", "b.txt"});
    const QMap<QByteArray, QByteArray> before = FolderContents(dir.path());
    const QStringList cycle{"rename",   dir.path(), "--mask",   "a*", "--mode", "parts",
                            "--parts",  "after",    "--pos",    "1",  "--text", "",
                            "--number", "8",        "--places", "0"};
    CliResult r = runCli(cycle + QStringList{"--run"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "a10.txt\ta8.txt\trenamed\na8.txt\ta9.txt\trenamed\n"
                     "a9.txt\ta10.txt\trenamed\n");
    r = runCli({"rename", "--undo"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out.toStdString(), "a8.txt\ta10.txt\tok\na10.txt\ta9.txt\tok\na9.txt\ta8.txt\tok\n")
        << "a dry undo changes nothing";
    r = runCli({"rename", "--undo", "--run"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(FolderContents(dir.path()), before);

    r = runCli(
        {"rename", dir.path(), "--mode", "replace", "--find", "a8", "--replace", "b", "--run"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.contains("b.txt\tb.txt\tunchanged\n"));
    EXPECT_EQ(FolderContents(dir.path()), before) << "a problem: nothing runs";
    r = runCli({"rename", dir.path(), "--mode", "replace", "--find", "a", "--start", "0"});
    EXPECT_TRUE(r.out.startsWith("a10.txt\t\tposition\n")) << r.out.toStdString();
}

TEST(RenameCommand, KilledRunsLeaveEveryFileOnce)
{
    KillScenario scenario;
    scenario.cli = QCoreApplication::applicationDirPath() + QStringLiteral("/tolvane-cli");
    const QStringList problems = scenario.Run();
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
}

// Runs a tool quietly: true when it ended with 0.
bool Quietly(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// FAT ignores case: the new spelling is the file itself, not a name taken.
// It runs on a small FAT file system mounted through FUSE, where one is to be had.
TEST(RenameCommand, CaseOnlyRenamesOnFat)
{
    TempDir dir;
    const QString image = dir.writeFile(QStringLiteral("fat.img"), QByteArray(4 << 20, '\0'));
    const QString point = dir.makeDir(QStringLiteral("fat"));
    if (!Quietly(QStringLiteral("/usr/sbin/mkfs.vfat"), {image}))
        GTEST_SKIP() << "case-only rename on FAT not tried: no mkfs.vfat (dosfstools)";
    if (!Quietly(QStringLiteral("fusefat"), {"-o", "rw+", image, point}))
        GTEST_SKIP() << "case-only rename on FAT not tried: no FUSE mount with fusefat here";
    const auto unmount = qScopeGuard([&] { Quietly(QStringLiteral("fusermount"), {"-u", point}); });
    ASSERT_TRUE(WriteNamedFiles(point, {"a.TXT", "b.TXT"}));
    CliResult r = runCli({"rename", point, "--mode", "special", "--ext", "txt", "--run"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "a.TXT\ta.txt\trenamed\nb.TXT\tb.txt\trenamed\n");
    const QMap<QByteArray, QByteArray> expected{{"a.txt", "a.TXT"}, {"b.txt", "b.TXT"}};
    EXPECT_EQ(FolderContents(point), expected);
    r = runCli({"rename", "--undo", "--run"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(FolderContents(point).keys(), (QList<QByteArray>{"a.TXT", "b.TXT"}));
}
} // namespace
