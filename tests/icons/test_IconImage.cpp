// SPDX-License-Identifier: GPL-3.0-or-later
#include "icons/IcoFile.h"
#include "icons/IconGroup.h"
#include "icons/IconImage.h"
#include "support/IconFixtures.h"
#include "support/PeWriter.h"

#include <QBuffer>
#include <QImageReader>

#include <gtest/gtest.h>

namespace {
const QRgb kRed = qRgb(200, 0, 0);
const QRgb kGreen = qRgb(0, 200, 0);
const QRgb kBlue = qRgb(0, 0, 200);

QRgb centre(const QImage& image)
{
    return image.pixel(image.width() / 2, image.height() / 2);
}

// Two colours left and right, the top left pixel transparent.
QImage twoColours(int size)
{
    QImage image = IconFixtures::square(size, kRed);
    for (int y = 0; y < size; ++y)
        for (int x = size / 2; x < size; ++x)
            image.setPixel(x, y, kGreen);
    return image;
}
} // namespace

TEST(IconImage, BitmapsOfEveryDepthDecodeWithTheirMask)
{
    for (int bits : {1, 4, 8, 24, 32}) {
        const QImage source = bits == 1 ? IconFixtures::square(32, kRed) : twoColours(32);
        const QImage image = IconImage::decode(IconFixtures::bitmap(source, bits));
        ASSERT_EQ(image.size(), QSize(32, 32)) << bits;
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << bits;
        EXPECT_EQ(image.pixel(1, 0), source.pixel(1, 0)) << bits;
        EXPECT_EQ(image.pixel(31, 31), source.pixel(31, 31)) << bits;
        const auto info = IconImage::probe(IconFixtures::bitmap(source, bits));
        ASSERT_TRUE(info);
        EXPECT_EQ(info->bitCount, bits);
        EXPECT_EQ(info->height, 32);
    }
}

TEST(IconImage, HeightNotDoubledAndMaskMissing)
{
    IconFixtures::BitmapOptions single;
    single.bitCount = 8;
    single.doubledHeight = false;
    QImage image = IconImage::decode(IconFixtures::bitmap(twoColours(16), single));
    ASSERT_EQ(image.size(), QSize(16, 16));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);

    IconFixtures::BitmapOptions noMask;
    noMask.bitCount = 24;
    noMask.withMask = false;
    image = IconImage::decode(IconFixtures::bitmap(twoColours(16), noMask));
    ASSERT_EQ(image.size(), QSize(16, 16));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 255); // nothing says it is transparent
    EXPECT_EQ(image.pixel(15, 15), kGreen);
}

TEST(IconImage, ThirtyTwoBitAlphaAndOldStyleMasks)
{
    QImage soft = IconFixtures::square(16, kBlue);
    soft.setPixel(5, 5, qRgba(0, 0, 200, 0x80));
    QImage image = IconImage::decode(IconFixtures::bitmap(soft, 32));
    EXPECT_EQ(qAlpha(image.pixel(5, 5)), 0x80);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);

    // Alpha zero everywhere: the transparency is in the mask.
    IconFixtures::BitmapOptions old;
    old.alphaChannel = false;
    image = IconImage::decode(IconFixtures::bitmap(IconFixtures::square(16, kBlue), old));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(image.pixel(3, 3), kBlue);
}

TEST(IconImage, PngEntriesNeedTheirSignature)
{
    QImage soft = IconFixtures::square(256, kGreen);
    soft.setPixel(9, 9, qRgba(0, 200, 0, 0x40));
    const QByteArray png = IconFixtures::png(soft);
    const auto info = IconImage::probe(png);
    ASSERT_TRUE(info);
    EXPECT_TRUE(info->png);
    EXPECT_EQ(info->width, 256);
    const QImage image = IconImage::decode(png);
    ASSERT_EQ(image.size(), QSize(256, 256));
    EXPECT_EQ(qAlpha(image.pixel(9, 9)), 0x40);

    QByteArray wrongSignature = png;
    wrongSignature[3] = 'X';
    EXPECT_FALSE(IconImage::probe(wrongSignature));
    EXPECT_TRUE(IconImage::decode(wrongSignature).isNull());
}

TEST(IconImage, DamagedBitmapsAreRefusedOrReadSafely)
{
    const QByteArray good = IconFixtures::bitmap(twoColours(32), 8);
    EXPECT_TRUE(IconImage::decode(good.left(good.size() / 2)).isNull()); // pixels cut short
    EXPECT_TRUE(IconImage::decode(good.left(30)).isNull());              // header cut short

    QByteArray huge = good;
    PeWriter::put32(huge, 4, 100000); // width
    EXPECT_FALSE(IconImage::probe(huge));
    QByteArray palette = good;
    PeWriter::put32(palette, 32, 0x40000000); // colours used
    EXPECT_FALSE(IconImage::probe(palette));
    QByteArray compressed = good;
    PeWriter::put32(compressed, 16, 1); // run-length coded
    EXPECT_FALSE(IconImage::probe(compressed));

    // Pixels that index past a short palette are drawn black.
    QByteArray shortPalette = good;
    PeWriter::put32(shortPalette, 32, 1);
    const QImage image = IconImage::decode(shortPalette);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(31, 31), qRgb(0, 0, 0));
}

TEST(IconGroup, PicksExactSizesThenDepthElseNearestScaled)
{
    IconGroup group;
    group.add(IconFixtures::bitmap(IconFixtures::square(48, kBlue), 32), 48);
    group.add(IconFixtures::bitmap(IconFixtures::square(32, kGreen), 32), 32);
    group.add(IconFixtures::bitmap(IconFixtures::square(16, kRed), 32), 16);
    EXPECT_EQ(centre(group.pick(16)), kRed);
    EXPECT_EQ(centre(group.pick(32)), kGreen);
    const QImage scaled = group.pick(24);
    EXPECT_EQ(scaled.size(), QSize(24, 24));
    EXPECT_EQ(centre(scaled), kGreen); // 32 is nearer than 16 or 48

    IconGroup depths;
    depths.add(IconFixtures::bitmap(IconFixtures::square(32, kRed), 4), 32);
    depths.add(IconFixtures::bitmap(IconFixtures::square(32, kGreen), 32), 32);
    depths.add(IconFixtures::bitmap(IconFixtures::square(32, kBlue), 8), 32);
    EXPECT_EQ(centre(depths.pick(32)), kGreen);

    IconGroup onlyLarge;
    onlyLarge.add(IconFixtures::png(IconFixtures::square(256, kBlue)), 0);
    const QImage small = onlyLarge.pick(16);
    EXPECT_EQ(small.size(), QSize(16, 16));
    EXPECT_EQ(centre(small), kBlue);
    EXPECT_EQ(onlyLarge.images().first().width, 256);
}

TEST(IcoFile, ReadsItsImagesAndSkipsEntriesOutsideTheFile)
{
    const QByteArray file =
        IconFixtures::icoFile({IconFixtures::entry(IconFixtures::square(16, kRed), 8),
                               IconFixtures::entry(IconFixtures::square(32, kGreen), 32)});
    auto group = IcoFile::read(file);
    ASSERT_TRUE(group);
    EXPECT_EQ(group->images().size(), 2);
    EXPECT_EQ(centre(group->pick(16)), kRed);

    QByteArray broken = file;
    PeWriter::put32(broken, 6 + 16 + 12, 0xFFFFFF00u); // second image's offset
    group = IcoFile::read(broken);
    ASSERT_TRUE(group);
    EXPECT_EQ(group->images().size(), 1);
    QByteArray manyEntries = file;
    PeWriter::put16(manyEntries, 4, 0xFFFF);
    EXPECT_EQ(IcoFile::read(manyEntries)->images().size(), 2);
    EXPECT_FALSE(IcoFile::read(QByteArray("MZ not an icon")));
}

TEST(IcoFile, WrittenFilesReadBackHereAndInOtherReaders)
{
    QImage soft = twoColours(32);
    soft.setPixel(4, 4, qRgba(200, 0, 0, 0x30));
    const QByteArray file = IcoFile::write({soft, IconFixtures::square(16, kBlue)});
    const auto group = IcoFile::read(file);
    ASSERT_TRUE(group);
    const QImage back = group->pick(32);
    EXPECT_EQ(back.pixel(4, 4), soft.pixel(4, 4));
    EXPECT_EQ(back.pixel(31, 31), kGreen);
    EXPECT_EQ(qAlpha(back.pixel(0, 0)), 0);

    // Qt's own icon reader is an independent check of the layout.
    QByteArray copy = file;
    QBuffer buffer(&copy);
    QImageReader reader(&buffer, "ico");
    if (!reader.canRead())
        GTEST_SKIP() << "Qt has no ico reader here";
    const QImage other = reader.read().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(other.size(), QSize(32, 32));
    EXPECT_EQ(other.pixel(31, 31), kGreen);
    EXPECT_EQ(qAlpha(other.pixel(0, 0)), 0);
}
