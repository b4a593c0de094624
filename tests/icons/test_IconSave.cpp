// SPDX-License-Identifier: GPL-3.0-or-later
#include "icons/IcoFile.h"
#include "icons/IconGroup.h"
#include "icons/IconSave.h"
#include "support/IconFixtures.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <QBuffer>
#include <QImageReader>

#include <gtest/gtest.h>

TEST(IconSave, EachFormatKeepsWhatItCanOfTheIcon)
{
    const QRgb blue = qRgb(0, 0, 200);
    QImage icon = IconFixtures::square(32, blue);
    icon.setPixel(5, 5, qRgba(0, 0, 200, 0x80)); // half transparent
    const QImage argb = icon.convertToFormat(QImage::Format_ARGB32);
    TempDir dir;

    // A bitmap: 24 bit, the background (value 255 is pure red) behind clear parts.
    const QString bmp = dir.filePath(u("x.bmp"));
    IconSave::Save(bmp, icon, IconSave::Format::Bmp, QColor(255, 0, 0));
    EXPECT_EQ(quint8(TempDir::contents(bmp).at(28)), 24);
    const QImage fromBmp(bmp);
    ASSERT_EQ(fromBmp.size(), QSize(32, 32));
    EXPECT_EQ(fromBmp.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(fromBmp.pixel(16, 16), blue);
    const QRgb half = fromBmp.pixel(5, 5); // blended half and half
    EXPECT_NEAR(qRed(half), 127, 2);
    EXPECT_NEAR(qBlue(half), 100, 2);

    // An icon file, read back by the program's own reader: same pixels and alpha.
    const QString ico = dir.filePath(u("x.ico"));
    IconSave::Save(ico, icon, IconSave::Format::Ico);
    QByteArray icoBytes = TempDir::contents(ico);
    const auto group = IcoFile::read(icoBytes);
    ASSERT_TRUE(group);
    ASSERT_EQ(group->images().size(), 1);
    EXPECT_EQ(group->images().first().bitCount, 32);
    EXPECT_EQ(group->pick(32), argb);

    const QString png = dir.filePath(u("x.png"));
    IconSave::Save(png, icon, IconSave::Format::Png);
    EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_ARGB32), argb);

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
    QBuffer buffer(&icoBytes);
    QImageReader reader(&buffer, "ico");
    if (!reader.canRead())
        GTEST_SKIP() << "Qt has no ico reader here";
    const QImage other = reader.read().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(other.size(), QSize(32, 32));
    EXPECT_EQ(other.pixel(16, 16), blue);
    EXPECT_EQ(qAlpha(other.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(other.pixel(5, 5)), 0x80); // its colour Qt rounds by a step
}
