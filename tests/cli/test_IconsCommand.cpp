// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "icons/IcoFile.h"
#include "support/CliRun.h"
#include "support/IconFixtures.h"
#include "support/PeWriter.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

namespace {
CliResult cli(const QStringList& args)
{
    return runCli(QStringList{u("icons")} + args);
}

QString threeIconLibrary(const TempDir& dir)
{
    PeWriter w;
    IconFixtures::addGroup(w, 1, 1,
                           {IconFixtures::entry(IconFixtures::square(16, qRgb(200, 0, 0)), 8),
                            IconFixtures::entry(IconFixtures::square(32, qRgb(0, 200, 0)), 32),
                            IconFixtures::entry(IconFixtures::square(48, qRgb(0, 0, 200)), 32)});
    IconFixtures::addGroup(w, 2, 11,
                           {IconFixtures::pngEntry(IconFixtures::square(256, qRgb(9, 9, 9)))});
    // A picture larger than any icon, and not square, is an icon too.
    QImage tall(194, 313, QImage::Format_ARGB32);
    tall.fill(qRgb(0, 90, 0));
    IconFixtures::addGroup(w, 3, 21, {IconFixtures::entry(tall, 32)});
    return dir.writeFile(u("zwei.dll"), w.build());
}
} // namespace

TEST(IconsCommand, ListsEveryIconAndSavesItInTheChosenSizeAndFormatNeverOverAFile)
{
    TempDir dir;
    const QString lib = threeIconLibrary(dir);
    const QString out = dir.filePath(u("ausgabe/"));
    const QString listing = u("0001\t16x16 8 Bit, 32x32 32 Bit, 48x48 32 Bit\n"
                              "0002\t256x256 32 Bit PNG\n"
                              "0003\t194x313 32 Bit\n");
    CliResult run = cli({lib, u("--save"), out});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, listing);
    const auto group = IcoFile::read(TempDir::contents(out + u("zwei_0001.ico")));
    ASSERT_TRUE(group);
    EXPECT_EQ(group->pick(32).pixel(16, 16), qRgb(0, 200, 0));
    EXPECT_TRUE(QFile::exists(out + u("zwei_0003.ico")));

    // An existing name is refused and kept, a dangling link is not followed out
    // of the folder; the other icons are saved.
    const QString existing = dir.writeFile(u("ausgabe/zwei_0002.bmp"), QByteArray("alt"));
    const QString outside = dir.filePath(u("draussen.bmp"));
    ASSERT_TRUE(QFile::link(outside, out + u("zwei_0003.bmp")));
    run = cli({lib, u("--size"), u("16"), u("--format"), u("bmp"), u("--save"), out});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, AppErr().MsgLoad(Msg::TargetExists, existing) + u("\n") +
                           AppErr().MsgLoad(Msg::TargetExists, out + u("zwei_0003.bmp")) + u("\n"));
    EXPECT_EQ(TempDir::contents(existing), QByteArray("alt"));
    EXPECT_FALSE(QFile::exists(outside));
    const QImage bmp(out + u("zwei_0001.bmp"));
    ASSERT_EQ(bmp.size(), QSize(16, 16));
    EXPECT_EQ(bmp.pixel(8, 8), qRgb(200, 0, 0));
    EXPECT_EQ(bmp.pixel(0, 0), qRgb(255, 255, 255)); // white behind the transparent pixel

    // Values after "=" as well.
    run = cli({lib, u("--size=16"), u("--format=png"), u("--save=") + out});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(QImage(out + u("zwei_0002.png")).size(), QSize(16, 16));

    // Several files each under their name.
    run = cli({lib, lib});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, u("== %1\n%2== %1\n%2").arg(lib, listing));
}

TEST(IconsCommand, ReportsFailuresInGerman)
{
    TempDir dir;
    const QString missing = dir.filePath(u("fehlt.dll"));
    CliResult run = cli({missing});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, AppErr().MsgLoad(Msg::FileMissing, missing) + u("\n"));
    const QString empty = dir.writeFile(u("leer.dll"), QByteArray(500, 'x'));
    run = cli({empty});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, u("Keine Icons in '") + empty + u("' gefunden.\n"));
    // Parsed before any file is read.
    EXPECT_EQ(cli({missing, u("--size"), u("24")}).code, 2);
    EXPECT_EQ(cli({missing, u("--format"), u("gif")}).code, 2);
    EXPECT_EQ(cli({}).code, 2);
    // One missing file of several fails the command.
    EXPECT_EQ(cli({threeIconLibrary(dir), missing}).code, 1);
}
