// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/DirTotalsText.h"
#include "fileinfo/pDirTotals.h"
#include "support/CliRun.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cstdlib>

#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int kDepth = 3000;

qint64 allocatedOf(const QString& path)
{
    struct stat st {};
    EXPECT_EQ(lstat(QFile::encodeName(path).constData(), &st), 0) << path.toStdString();
    return qint64(st.st_blocks) * 512;
}

// A chain of kDepth folders "d" with a 7-byte file at the bottom; its path
// is far longer than PATH_MAX, so it is made one level at a time.
void makeDeepChain(const QString& where)
{
    int fd = open(QFile::encodeName(where).constData(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(fd, 0);
    for (int i = 0; i < kDepth; ++i) {
        ASSERT_EQ(mkdirat(fd, "d", 0755), 0);
        const int child = openat(fd, "d", O_RDONLY | O_DIRECTORY);
        close(fd);
        ASSERT_GE(fd = child, 0);
    }
    const int file = openat(fd, "tief.txt", O_WRONLY | O_CREAT, 0644);
    ASSERT_EQ(write(file, "bottom\n", 7), 7);
    close(file);
    close(fd);
}

QString figureLines(const pDirTotals::Figures& f)
{
    return u("Dateien\t%1\nOrdner\t%2\nSonstige\t%3\nGröße\t%4\nBelegt\t%5\n"
             "Nicht lesbar\t%6\nNicht betreten\t%7\n")
        .arg(f.files)
        .arg(f.folders)
        .arg(f.others)
        .arg(f.size)
        .arg(f.allocated)
        .arg(f.unreadable)
        .arg(f.notEntered);
}

} // namespace

class DirTotals : public ::testing::Test {
protected:
    TempDir dir;
    TempDir outside;

    // Known figures: links of every kind (never followed), a file with three names, a pipe,
    // an empty folder and a chain deeper than any path or descriptor limit.
    pDirTotals::Figures buildTree()
    {
        for (int i = 0; i < 5; ++i)
            outside.writeFile(u("f%1").arg(i), QByteArray(4096, 'x'));
        const QString single = dir.writeFile(u("a.txt"), QByteArray(1000, 'a'));
        const QString linked = dir.writeFile(u("h1"), QByteArray(30000, 'h'));
        dir.makeDir(u("sub"));
        dir.makeDir(u("leer"));
        for (const char* name : {"h2", "sub/h3"})
            EXPECT_EQ(link(QFile::encodeName(linked).constData(),
                           QFile::encodeName(dir.filePath(u(name))).constData()),
                      0);
        EXPECT_TRUE(QFile::link(outside.path(), dir.filePath(u("draussen"))));
        EXPECT_TRUE(QFile::link(u("schleife2"), dir.filePath(u("sub/schleife1"))));
        EXPECT_TRUE(QFile::link(u("schleife1"), dir.filePath(u("sub/schleife2"))));
        EXPECT_TRUE(QFile::link(u("nichts"), dir.filePath(u("weg"))));
        EXPECT_EQ(mkfifo(QFile::encodeName(dir.filePath(u("pipe"))).constData(), 0644), 0);
        makeDeepChain(dir.makeDir(u("tief")));
        // A file of 7 bytes takes one block wherever it sits on this file system.
        const QString probe = dir.writeFile(u("sub/.probe"), "bottom\n");
        const qint64 deepFile = allocatedOf(probe);
        QFile::remove(probe);

        pDirTotals::Figures expected;
        expected.files = 1 + 3 + 1;
        expected.folders = 3 + kDepth;
        expected.others = 5;
        expected.size = 1000 + 30000 + 7;
        expected.allocated = allocatedOf(single) + allocatedOf(linked) + deepFile;
        return expected;
    }

    void TearDown() override
    {
        // Too deep for QDir's own removal.
        const QString deep = dir.filePath(u("tief"));
        EXPECT_TRUE(!QFile::exists(deep) ||
                    std::system(("rm -rf '" + deep + "'").toUtf8().constData()) == 0);
    }
};

TEST_F(DirTotals, KnownTreeIsCountedToTheByte)
{
    const pDirTotals::Figures expected = buildTree();
    // The companion, with fewer descriptors than the tree has levels.
    const CliResult cli = runCli({u("dirinfo"), dir.path()}, [] {
        const rlimit few{40, 40};
        setrlimit(RLIMIT_NOFILE, &few);
    });
    EXPECT_EQ(cli.code, 0) << cli.err.toStdString();
    EXPECT_EQ(cli.out, figureLines(expected));
    EXPECT_EQ(DirTotalsText::Contents(expected), u("5 Dateien, 3.003 Ordner, 5 sonstige"));
}

TEST_F(DirTotals, UnreadableFolderIsCountedAndReported)
{
    dir.writeFile(u("offen/a"), "12345");
    dir.writeFile(u("zu/geheim"), QByteArray(100000, 's'));
    // Everyone must reach the tree when the companion runs as nobody.
    const auto setMode = [this](const char* relative, mode_t mode) {
        chmod(QFile::encodeName(dir.filePath(QLatin1String(relative))).constData(), mode);
    };
    setMode("", 0755);
    setMode("offen", 0755);
    setMode("offen/a", 0644);
    setMode("zu", 0);

    // As "nobody" when the tests run as root, so that the folder really is unreadable.
    const CliResult cli = runCli({u("dirinfo"), dir.path()}, [] {
        if (geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
            _exit(99);
    });
    setMode("zu", 0755);
    ASSERT_EQ(cli.code, 0) << cli.err.toStdString();
    pDirTotals::Figures expected;
    expected.files = 1;
    expected.folders = 2;
    expected.size = 5;
    expected.allocated = allocatedOf(dir.filePath(u("offen/a")));
    expected.unreadable = 1;
    EXPECT_EQ(cli.out, figureLines(expected));
    EXPECT_EQ(DirTotalsText::Status(expected, pDirTotals::Outcome::Complete),
              u("1 Ordner konnte nicht gelesen werden"));
}

TEST_F(DirTotals, CancelKeepsThePartialFigures)
{
    for (int i = 0; i < 40; ++i)
        for (int j = 0; j < 50; ++j)
            dir.writeFile(u("o%1/f%2").arg(i).arg(j), "x");
    pDirTotals totals;
    int asked = 0;
    EXPECT_EQ(totals.Count(dir.path(), [&asked] { return ++asked > 500; }),
              pDirTotals::Outcome::Cancelled);
    const pDirTotals::Figures partial = totals.Current();
    EXPECT_GT(partial.files, 0);
    EXPECT_LT(partial.files, 2000);
}

TEST(DirInfoCommand, WhatIsNoReadableFolderIsRefused)
{
    TempDir dir;
    const QString file = dir.writeFile(u("datei.txt"), "x");
    const QString missing = dir.filePath(u("fehlt"));
    const QString notFound = u("Der Ordner '%1' kann nicht gelesen werden: Datei oder Ordner "
                               "nicht vorhanden.\n");
    const QString notAFolder = u("'%1' ist kein Ordner, sondern eine gewöhnliche Datei.\n");
    const QString usage = u("Aufruf: tolvane-cli dirinfo ORDNER [--progress]\n");
    const struct {
        QStringList args;
        int code;
        QString err;
    } cases[] = {
        {{missing}, 1, notFound.arg(missing)},
        {{file}, 1, notAFolder.arg(file)},
        {{}, 2, usage},
        {{dir.path(), u("--schnell")}, 2, u("Unbekannte Option: --schnell\n") + usage},
    };
    for (const auto& c : cases) {
        const CliResult cli = runCli(QStringList{u("dirinfo")} + c.args);
        EXPECT_EQ(cli.code, c.code) << c.args.join(' ').toStdString();
        EXPECT_TRUE(cli.out.isEmpty());
        EXPECT_EQ(cli.err, c.err);
    }
}
