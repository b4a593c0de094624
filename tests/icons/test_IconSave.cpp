// SPDX-License-Identifier: GPL-3.0-or-later
// Icon groups holding large or tall pictures, and shown icons written back
// as bitmap, icon and PNG files.
#include "icons/IcoFile.h"
#include "icons/IconExtract.h"
#include "icons/IconGroup.h"
#include "icons/IconSave.h"
#include "support/IconFixtures.h"
#include "support/PeWriter.h"
#include "support/TempDir.h"

#include <QBuffer>
#include <QImageReader>

#include <gtest/gtest.h>

namespace {
const QRgb kBlue = qRgb(0, 0, 200);
const QRgb kGreen = qRgb(0, 160, 0);

QImage tall(QRgb colour)
{
    QImage image(194, 313, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

// A program with a 32-pixel icon and a group of tall pictures only.
QByteArray squareAndTall()
{
    PeWriter w;
    IconFixtures::addGroup(w, 1, 1, {IconFixtures::entry(IconFixtures::square(32, kBlue))});
    IconFixtures::addGroup(
        w, 2, 10, {IconFixtures::entry(tall(kGreen), 32), IconFixtures::entry(tall(kGreen), 8)});
    return w.build();
}
} // namespace

TEST(LargeIcons, TallPictureGroupsCountAndFitTheSquareUndistorted)
{
    TempDir dir;
    IconExtract icons;
    icons.setFilename(dir.writeFile(QStringLiteral("winecfg.exe"), squareAndTall()));
    EXPECT_EQ(icons.Scan(), 2);
    EXPECT_EQ(icons.IconCount(), 0); // counting decodes nothing
    ASSERT_EQ(icons.Extract(), 2);
    EXPECT_EQ(icons.Images(1).first().width, 194);
    EXPECT_EQ(icons.Images(1).first().height, 313);

    const QImage fitted = icons.GetPicture(1, 1);
    ASSERT_EQ(fitted.size(), QSize(32, 32));
    // 194 x 313 becomes about 20 x 32, centred: clear at the sides, green between.
    EXPECT_EQ(qAlpha(fitted.pixel(0, 16)), 0);
    EXPECT_EQ(qAlpha(fitted.pixel(31, 16)), 0);
    EXPECT_EQ(fitted.pixel(16, 0), kGreen | 0xFF000000u);
    EXPECT_EQ(fitted.pixel(16, 31), kGreen | 0xFF000000u);
    EXPECT_EQ(icons.Decode(1, 16).size(), QSize(16, 16));

    const QString ico = dir.writeFile(QStringLiteral("hoch.ico"),
                                      IconFixtures::icoFile({IconFixtures::entry(tall(kGreen))}));
    icons.setFilename(ico);
    EXPECT_EQ(icons.Extract(), 1);
}

TEST(LargeIcons, SidesUpTo1024AreReadAndLargerOnesRefused)
{
    for (const bool png : {false, true}) {
        for (const int side : {1024, 1025}) {
            const QImage image = IconFixtures::square(side, kBlue);
            const QByteArray bytes =
                png ? IconFixtures::png(image) : IconFixtures::bitmap(image, 32);
            IconGroup group;
            group.add(bytes, 0);
            EXPECT_EQ(group.isEmpty(), side > 1024) << side << (png ? " PNG" : " bitmap");
            if (side <= 1024) {
                EXPECT_EQ(group.pick(32).pixel(16, 16), kBlue | 0xFF000000u);
            }
        }
    }
}

TEST(IconSave, EachFormatKeepsWhatItCanOfTheIcon)
{
    QImage icon = IconFixtures::square(32, kBlue);
    icon.setPixel(5, 5, qRgba(0, 0, 200, 0x80)); // half transparent
    TempDir dir;

    // A bitmap: 24 bit, the background (value 255 is pure red) behind clear parts.
    const QString bmp = dir.filePath(QStringLiteral("x.bmp"));
    IconSave::Save(bmp, icon, IconSave::Format::Bmp, QColor(255, 0, 0));
    const QByteArray bmpBytes = TempDir::contents(bmp);
    EXPECT_EQ(quint8(bmpBytes.at(28)), 24);
    const QImage fromBmp(bmp);
    ASSERT_EQ(fromBmp.size(), QSize(32, 32));
    EXPECT_EQ(fromBmp.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(fromBmp.pixel(16, 16), kBlue);
    const QRgb half = fromBmp.pixel(5, 5); // blended half and half
    EXPECT_NEAR(qRed(half), 127, 2);
    EXPECT_NEAR(qBlue(half), 100, 2);

    // An icon file, read back by the program's own reader: same pixels and alpha.
    const QString ico = dir.filePath(QStringLiteral("x.ico"));
    IconSave::Save(ico, icon, IconSave::Format::Ico);
    const auto group = IcoFile::read(TempDir::contents(ico));
    ASSERT_TRUE(group);
    ASSERT_EQ(group->images().size(), 1);
    EXPECT_EQ(group->images().first().bitCount, 32);
    EXPECT_EQ(group->pick(32), icon.convertToFormat(QImage::Format_ARGB32));

    const QString png = dir.filePath(QStringLiteral("x.png"));
    IconSave::Save(png, icon, IconSave::Format::Png);
    EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_ARGB32),
              icon.convertToFormat(QImage::Format_ARGB32));

    const struct {
        const char* name;
        std::optional<IconSave::Format> format;
    } names[] = {{"a.BMP", IconSave::Format::Bmp}, {"a.b.Ico", IconSave::Format::Ico},
                 {"a.png", IconSave::Format::Png}, {"x.gif", std::nullopt},
                 {"0003", std::nullopt},           {"bmp", std::nullopt},
                 {"/d.png/x", std::nullopt}};
    for (const auto& n : names)
        EXPECT_EQ(IconSave::FormatOf(QLatin1String(n.name)), n.format) << n.name;
}
