// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/Version.h"
#include "core/cuAppError.h"
#include "platform/SystemError.h"
#include "support/CliRun.h"
#include "support/FullDisk.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {
QString message(int number, const QString& arg1, const QVariant& arg2 = {})
{
    return AppErr().MsgLoad(number, arg1, arg2);
}
} // namespace

TEST(Companion, VersionAndHelpExitWithZero)
{
    const CliResult version = runCli({u("--version")});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, u("Tolvane ") + ProgramVersion() + u("\n"));
    const CliResult help = runCli({u("--help")});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.err.isEmpty());
    for (const char* command : {"settings export", "cnf dump", "info DATEI", "icons DATEI"})
        EXPECT_TRUE(help.out.contains(u(command))) << command;
    EXPECT_EQ(runCli({}).code, 2);
    EXPECT_EQ(runCli({u("--versio")}).code, 2);
}

TEST(Companion, SwitchValuesGoWithASpaceOrAnEqualsSign)
{
    TempDir dir;
    const QString plain = dir.writeFile(u("p.cnf"), "[S]\r\nk=v");
    const QString sealed = dir.filePath(u("s.cnf"));
    ASSERT_EQ(runCli({u("cnf"), u("seal"), plain, sealed, u("--password=a=b")}).code, 0);
    EXPECT_EQ(runCli({u("cnf"), u("dump"), sealed, u("--password"), u("a=b")}).out,
              u("[S]\nk=v\n"));
    // Refused: a flag given a value, an unknown switch, a switch without its value.
    EXPECT_EQ(runCli({u("cnf"), u("dump"), plain, u("--unicode=ja")}).code, 2);
    EXPECT_EQ(runCli({u("settings"), u("export"), u("--regedit5")}).code, 2);
    // Parsed before the file is read: a missing one would fail with 1.
    const QString missing = dir.filePath(u("fehlt.dll"));
    EXPECT_EQ(runCli({u("icons"), missing, u("--size")}).code, 2);
    // An empty folder saved nothing and reported success.
    for (const QStringList& empty : {QStringList{u("--save"), QString()}, {u("--save=")}})
        EXPECT_EQ(runCli(QStringList{u("icons"), missing} + empty).code, 2);
}

TEST(Companion, SpecialFilesAreRefusedAsInputAndWrittenInPlaceAsOutput)
{
    TempDir dir;
    const QString fifo = dir.filePath(u("rohr"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const auto& [input, kind] : {std::pair{fifo, S_IFIFO}, {u("/dev/zero"), S_IFCHR}}) {
        const QString refused = message(Msg::NotRegularFile, input, FileKindText(kind));
        for (const QStringList& args :
             {QStringList{u("settings"), u("import"), input},
              {u("cnf"), u("dump"), input},
              {u("cnf"), u("seal"), input, dir.filePath(u("x")), u("--password"), u("k")}}) {
            const CliResult run = runCli(args);
            EXPECT_EQ(run.code, 1) << args.join(' ').toStdString();
            EXPECT_EQ(run.err.trimmed(), refused) << args.join(' ').toStdString();
        }
    }
    // Output onto a FIFO goes through it; the FIFO stays.
    const QByteArray plain = "[S]\r\nk=v";
    const QString in = dir.writeFile(u("p.cnf"), plain);
    const QString sealed = dir.filePath(u("s.cnf"));
    ASSERT_EQ(runCli({u("cnf"), u("seal"), in, sealed, u("--password"), u("k")}).code, 0);
    QByteArray received;
    std::thread reader([&] {
        QFile pipe(fifo);
        if (pipe.open(QIODevice::ReadOnly))
            received = pipe.readAll();
    });
    EXPECT_EQ(runCli({u("cnf"), u("open"), sealed, fifo, u("--password"), u("k")}).code, 0);
    reader.join();
    EXPECT_EQ(received, plain);
    EXPECT_FALSE(QFileInfo(fifo).isFile());
    // "-" is standard output.
    const CliResult out = runCli({u("cnf"), u("open"), sealed, u("-"), u("--password"), u("k")});
    EXPECT_EQ(out.code, 0);
    EXPECT_EQ(out.bytes, plain);
    const CliResult folder = runCli({u("settings"), u("export"), dir.path()});
    EXPECT_EQ(folder.code, 1);
    EXPECT_EQ(folder.err.trimmed(),
              message(Msg::FileWriteFailed, dir.path(), SystemErrorText(EISDIR)));
}

// Output cut short by a full disk never passes for complete, whichever
// command printed it.
TEST(Companion, StandardOutputThatCannotBeWrittenFailsEveryCommand)
{
    TempDir dir;
    const QString file = dir.writeFile(u("a.reg"), "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n");
    const QStringList runs[] = {
        {u("--version")},
        {u("--help")},
        {u("info"), file},
        {u("dirinfo"), dir.path()},
        {u("regview"), file},
        {u("rename"), dir.path(), u("--mode=replace"), u("--find=a"), u("--replace=b")},
        {u("compare"), dir.path(), dir.makeDir(u("leer"))},
        {u("settings"), u("export")},
        {u("cnf"), u("seal"), dir.writeFile(u("p.ini"), "[S]\r\nk=v"), u("-"), u("--password=k")}};
    for (const QStringList& args : runs) {
        const CliResult full = runCli(args, [] { ::dup2(::open("/dev/full", O_WRONLY), 1); });
        EXPECT_EQ(full.code, 1) << args.join(' ').toStdString();
        EXPECT_EQ(full.err,
                  message(Msg::FileWriteFailed, u("Standardausgabe"), SystemErrorText(ENOSPC)) +
                      u("\n"))
            << args.join(' ').toStdString();
    }
}

// On a full disk the small outputs stayed in the write buffer, the failed
// flush went unnoticed and the cut file replaced the old one: `cnf seal F F`
// destroyed the only copy of F.
TEST(Companion, AFullDiskFailsTheCommandAndKeepsTheOldFile)
{
    FullDisk disk;
    const QByteArray plain = "[S]\r\n" + QByteArray(8000, 'k') + "=v";
    const QString only = disk.path() + u("nur.cnf");
    const QString export_ = disk.path() + u("export.reg");
    for (const auto& [path, bytes] : {std::pair{only, plain}, {export_, QByteArray("alt")}}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    disk.fill();
    const QString reason = SystemErrorText(disk.mounted() ? ENOSPC : EFBIG);
    const CliResult seal =
        runCli({u("cnf"), u("seal"), only, only, u("--password"), u("k")}, disk.childSetup());
    EXPECT_EQ(seal.code, 1);
    EXPECT_EQ(seal.err.trimmed(), message(Msg::FileWriteFailed, only, reason));
    EXPECT_EQ(TempDir::contents(only), plain);
    const CliResult exported = runCli({u("settings"), u("export"), export_}, disk.childSetup());
    EXPECT_EQ(exported.code, 1);
    EXPECT_EQ(TempDir::contents(export_), QByteArray("alt"));
    QStringList left = QDir(disk.path()).entryList(QDir::Files | QDir::Hidden);
    left.removeAll(u(".filler"));
    EXPECT_EQ(left, (QStringList{u("export.reg"), u("nur.cnf")}));
}

// A failing store was reported as a line of the file that could not be taken over.
TEST(Companion, ImportNamesTheStoresOwnFailure)
{
    FullDisk disk;
    TempDir dir;
    const QByteArray previous = qgetenv("TOLVANE_REGISTRY");
    qputenv("TOLVANE_REGISTRY", QFile::encodeName(disk.path() + u("registry.db")));
    const QString small = dir.writeFile(u("klein.reg"), "REGEDIT4\r\n[HKCU\\A]\r\n\"v\"=\"1\"\r\n");
    ASSERT_EQ(runCli({u("settings"), u("import"), small}).code, 0);
    disk.fill(96 * 1024); // room to open the store, not for the value
    const QByteArray big =
        "REGEDIT4\r\n[HKCU\\B]\r\n\"v\"=hex:" + QByteArray("ab,").repeated(400000);
    const QString file = dir.writeFile(u("gross.reg"), big + "00\r\n");
    const auto limit = [mounted = disk.mounted()] {
        if (!mounted)
            FullDisk::limitChild(128 * 1024);
    };
    const CliResult run = runCli({u("settings"), u("import"), file}, limit);
    qputenv("TOLVANE_REGISTRY", previous);
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.startsWith(u("Fehler beim Import von '%1': Die ").arg(file)))
        << run.err.toStdString();
    // SQLite tells the errno of a full disk; of a size limit only "I/O error".
    EXPECT_TRUE(run.err.contains(SystemErrorText(disk.mounted() ? ENOSPC : EIO)))
        << run.err.toStdString();
    EXPECT_FALSE(run.err.contains(u("Zeile")));
    EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1);
}
