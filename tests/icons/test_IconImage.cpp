// SPDX-License-Identifier: GPL-3.0-or-later
#include "icons/IcoFile.h"
#include "icons/IconGroup.h"
#include "icons/IconImage.h"
#include "icons/IconSave.h"
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

TEST(IconImage, BitmapsOfEveryDepthAndLayoutDecodeWithTheirMask)
{
    const struct {
        const char* what;
        IconFixtures::BitmapOptions options;
        int clearAlpha; // of the top left pixel, clear by its alpha and its mask bit
        int softAlpha;  // of a half transparent one
        bool png = false;
    } cases[] = {
        {"1 Bit", {.bitCount = 1}, 0, 255},
        {"4 Bit", {.bitCount = 4}, 0, 255},
        {"8 Bit", {.bitCount = 8}, 0, 255},
        {"24 Bit", {.bitCount = 24}, 0, 255},
        {"32 Bit", {.bitCount = 32}, 0, 0x80},
        {"height not doubled", {.bitCount = 8, .doubledHeight = false}, 0, 255},
        {"no mask: nothing says what is clear", {.bitCount = 24, .withMask = false}, 255, 255},
        {"alpha 0 everywhere: the mask decides", {.alphaChannel = false}, 0, 255},
        {"PNG", {.bitCount = 32}, 0, 0x80, true},
    };
    for (const auto& c : cases) {
        const int bits = c.options.bitCount;
        QImage source = bits == 1 ? IconFixtures::square(32, kRed) : twoColours(32);
        source.setPixel(5, 5, qRgba(200, 0, 0, 0x80));
        const QByteArray bytes =
            c.png ? IconFixtures::png(source) : IconFixtures::bitmap(source, c.options);
        const QImage image = IconImage::decode(bytes);
        ASSERT_EQ(image.size(), QSize(32, 32)) << c.what;
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), c.clearAlpha) << c.what;
        EXPECT_EQ(qAlpha(image.pixel(5, 5)), c.softAlpha) << c.what;
        EXPECT_EQ(image.pixel(1, 0), source.pixel(1, 0)) << c.what;
        EXPECT_EQ(image.pixel(31, 31), source.pixel(31, 31)) << c.what;
        const auto info = IconImage::probe(bytes);
        ASSERT_TRUE(info) << c.what;
        EXPECT_EQ(info->bitCount, bits) << c.what;
        EXPECT_EQ(info->height, 32) << c.what;
        EXPECT_EQ(info->png, c.png) << c.what;
    }
}

TEST(IconImage, DamagedImagesAreRefusedOrReadSafely)
{
    const QByteArray good = IconFixtures::bitmap(twoColours(32), 8);
    EXPECT_TRUE(IconImage::decode(good.left(good.size() / 2)).isNull()); // pixels cut short
    EXPECT_TRUE(IconImage::decode(good.left(30)).isNull());              // header cut short

    // A width, a colour count or a compression no reader should follow.
    const std::pair<int, quint32> refused[] = {{4, 100000}, {32, 0x40000000}, {16, 1}};
    for (const auto& [offset, value] : refused) {
        QByteArray bad = good;
        PeWriter::put32(bad, offset, value);
        EXPECT_FALSE(IconImage::probe(bad)) << offset;
    }

    // Pixels that index past a short palette are drawn black.
    QByteArray shortPalette = good;
    PeWriter::put32(shortPalette, 32, 1);
    const QImage image = IconImage::decode(shortPalette);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(31, 31), qRgb(0, 0, 0));

    QByteArray wrongSignature = IconFixtures::png(twoColours(32));
    wrongSignature[3] = 'X';
    EXPECT_FALSE(IconImage::probe(wrongSignature));
    EXPECT_TRUE(IconImage::decode(wrongSignature).isNull());
}

TEST(IconGroup, PicksExactSizesThenDepthElseNearestScaledUpTo1024)
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

    // Pictures up to 1024 pixels a side are scaled down; larger ones are refused.
    for (const bool png : {false, true}) {
        IconGroup large;
        for (const int side : {1024, 1025}) {
            const QImage image = IconFixtures::square(side, kBlue);
            large.add(png ? IconFixtures::png(image) : IconFixtures::bitmap(image), 0);
        }
        ASSERT_EQ(large.images().size(), 1) << png;
        EXPECT_EQ(large.images().first().width, 1024) << png;
        const QImage small = large.pick(16);
        EXPECT_EQ(small.size(), QSize(16, 16)) << png;
        EXPECT_EQ(centre(small), kBlue) << png;
    }
}

TEST(IcoFile, ReadsItsImagesAndSkipsEntriesOutsideTheFile)
{
    const QByteArray file =
        IconFixtures::icoFile({IconFixtures::entry(IconFixtures::square(16, kRed), 8),
                               IconFixtures::entry(IconFixtures::square(32, kGreen), 32)});
    QByteArray manyEntries = file; // the count claims more than there are
    PeWriter::put16(manyEntries, 4, 0xFFFF);
    const auto group = IcoFile::read(manyEntries);
    ASSERT_TRUE(group);
    EXPECT_EQ(group->images().size(), 2);
    EXPECT_EQ(centre(group->pick(16)), kRed);
    QByteArray broken = file;
    PeWriter::put32(broken, 6 + 16 + 12, 0xFFFFFF00u); // second image's offset
    EXPECT_EQ(IcoFile::read(broken)->images().size(), 1);
    EXPECT_FALSE(IcoFile::read(QByteArray("MZ not an icon")));
}

// Saving writes these bytes through the safe writer (the viewer's and the
// companion's tests save files).
TEST(IconSave, EachFormatKeepsWhatItCanOfTheIcon)
{
    QImage icon = IconFixtures::square(32, kBlue);
    icon.setPixel(5, 5, qRgba(0, 0, 200, 0x80)); // half transparent
    const QImage argb = icon.convertToFormat(QImage::Format_ARGB32);

    // A bitmap: 24 bit, the background (value 255 is pure red) behind clear parts.
    const QByteArray bmp = IconSave::Encode(icon, IconSave::Format::Bmp, QColor(255, 0, 0));
    EXPECT_EQ(quint8(bmp.at(28)), 24);
    const QImage fromBmp = QImage::fromData(bmp, "BMP");
    ASSERT_EQ(fromBmp.size(), QSize(32, 32));
    EXPECT_EQ(fromBmp.pixel(16, 16), kBlue);
    const QRgb half = fromBmp.pixel(5, 5); // blended half and half
    EXPECT_NEAR(qRed(half), 127, 2);
    EXPECT_NEAR(qBlue(half), 100, 2);

    // An icon file, read back by the program's own reader: same pixels and alpha.
    QByteArray ico = IconSave::Encode(icon, IconSave::Format::Ico);
    const auto group = IcoFile::read(ico);
    ASSERT_TRUE(group);
    ASSERT_EQ(group->images().size(), 1);
    EXPECT_EQ(group->images().first().bitCount, 32);
    EXPECT_EQ(group->pick(32), argb);
    EXPECT_EQ(QImage::fromData(IconSave::Encode(icon, IconSave::Format::Png), "PNG")
                  .convertToFormat(QImage::Format_ARGB32),
              argb);

    const struct {
        const char* name;
        std::optional<IconSave::Format> format;
    } names[] = {{"a.BMP", IconSave::Format::Bmp}, {"a.b.Ico", IconSave::Format::Ico},
                 {"a.png", IconSave::Format::Png}, {"x.gif", std::nullopt},
                 {"0003", std::nullopt},           {"bmp", std::nullopt},
                 {"/d.png/x", std::nullopt}};
    for (const auto& n : names)
        EXPECT_EQ(IconSave::FormatOf(QLatin1String(n.name)), n.format) << n.name;

    // Qt's own icon reader is an independent check of the icon file's layout.
    QBuffer buffer(&ico);
    QImageReader reader(&buffer, "ico");
    if (!reader.canRead())
        GTEST_SKIP() << "Qt has no ico reader here";
    const QImage other = reader.read().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(other.size(), QSize(32, 32));
    EXPECT_EQ(other.pixel(16, 16), kBlue);
    EXPECT_EQ(qAlpha(other.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(other.pixel(5, 5)), 0x80); // its colour Qt rounds by a step
}
