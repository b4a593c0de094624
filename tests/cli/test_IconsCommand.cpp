// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the built tolvane-cli as a user would.
#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "icons/IcoFile.h"
#include "support/CliRun.h"
#include "support/IconFixtures.h"
#include "support/PeWriter.h"
#include "support/TempDir.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

namespace {
CliResult cli(const QStringList& args)
{
    return runCli(QStringList{QStringLiteral("icons")} + args);
}

QString twoIconLibrary(const TempDir& dir)
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
    return dir.writeFile(QStringLiteral("zwei.dll"), w.build());
}

} // namespace

TEST(IconsCommand, ListsEveryIconWithItsSizes)
{
    TempDir dir;
    const CliResult run = cli({twoIconLibrary(dir)});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("0001\t16x16 8 Bit, 32x32 32 Bit, 48x48 32 Bit\n"
                                      "0002\t256x256 32 Bit PNG\n"
                                      "0003\t194x313 32 Bit\n"));
}

TEST(IconsCommand, SavesEachIconInTheChosenSizeAndFormat)
{
    TempDir dir;
    const QString lib = twoIconLibrary(dir);
    const QString out = dir.filePath(QStringLiteral("ausgabe"));
    ASSERT_EQ(cli({lib, QStringLiteral("--save"), out}).code, 0);
    const auto group = IcoFile::read(TempDir::contents(out + QStringLiteral("/zwei_0001.ico")));
    ASSERT_TRUE(group);
    ASSERT_EQ(group->images().size(), 1);
    EXPECT_EQ(group->pick(32).pixel(16, 16), qRgb(0, 200, 0));
    EXPECT_TRUE(QFile::exists(out + QStringLiteral("/zwei_0002.ico")));

    ASSERT_EQ(cli({lib, QStringLiteral("--size"), QStringLiteral("16"), QStringLiteral("--format"),
                   QStringLiteral("png"), QStringLiteral("--save"), out})
                  .code,
              0);
    const QImage png(out + QStringLiteral("/zwei_0001.png"));
    ASSERT_EQ(png.size(), QSize(16, 16));
    EXPECT_EQ(png.pixel(8, 8), qRgb(200, 0, 0));
    EXPECT_EQ(qAlpha(png.pixel(0, 0)), 0);

    ASSERT_EQ(
        cli({lib, QStringLiteral("--format"), QStringLiteral("bmp"), QStringLiteral("--save"), out})
            .code,
        0);
    const QImage bmp(out + QStringLiteral("/zwei_0001.bmp"));
    ASSERT_EQ(bmp.size(), QSize(32, 32));
    EXPECT_EQ(bmp.pixel(0, 0), qRgb(255, 255, 255)); // white behind the transparent pixel
}

TEST(IconsCommand, NeverOverwritesAndReportsFailures)
{
    TempDir dir;
    const QString lib = twoIconLibrary(dir);
    const QString existing = dir.writeFile(QStringLiteral("out/zwei_0001.ico"), QByteArray("alt"));
    CliResult run = cli({lib, QStringLiteral("--save"), dir.filePath(QStringLiteral("out"))});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(
        run.err.trimmed(),
        AppErr().MsgLoad(Msg::TargetExists, dir.filePath(QStringLiteral("out/zwei_0001.ico"))));
    EXPECT_EQ(TempDir::contents(existing), QByteArray("alt"));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("out/zwei_0002.ico"))));

    run = cli({dir.filePath(QStringLiteral("fehlt.dll"))});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err.trimmed(),
              AppErr().MsgLoad(Msg::FileMissing, dir.filePath(QStringLiteral("fehlt.dll"))));
    run = cli({dir.writeFile(QStringLiteral("leer.dll"), QByteArray(500, 'x'))});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Keine Icons")));
    EXPECT_EQ(cli({lib, QStringLiteral("--size"), QStringLiteral("24")}).code, 2);
    EXPECT_EQ(cli({lib, QStringLiteral("--format"), QStringLiteral("gif")}).code, 2);
    EXPECT_EQ(cli({}).code, 2);
}
