// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppErrorRecord.h"
#include "icons/IconCanvas.h"
#include "icons/IconExtract.h"
#include "platform/PeFile.h"
#include "support/IconFixtures.h"
#include "support/PeWriter.h"
#include "support/Raised.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <gtest/gtest.h>

namespace {
const QRgb kColours[] = {qRgb(200, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 200), qRgb(200, 200, 0),
                         qRgb(0, 200, 200)};

QRgb centre(const QImage& image)
{
    return image.pixel(image.width() / 2, image.height() / 2);
}

// Icon i is drawn in kColours[i] at 32 pixels and in a darker shade at 16 and 48.
QByteArray fiveIcons()
{
    PeWriter w;
    for (int i = 0; i < 5; ++i) {
        const QRgb c = kColours[i];
        const QRgb dark = qRgb(qRed(c) / 2, qGreen(c) / 2, qBlue(c) / 2);
        IconFixtures::addGroup(w, quint16(100 + i), quint16(10 * i + 1),
                               {IconFixtures::entry(IconFixtures::square(16, dark), 8),
                                IconFixtures::entry(IconFixtures::square(32, c), 32),
                                IconFixtures::entry(IconFixtures::square(48, dark), 32)});
    }
    return w.build();
}
} // namespace

// Icons outside 0 .. IconCount - 1 are a failure; files without icons give none.
TEST(IconExtract, ReadsOneIconPerGroupInBothSizes)
{
    TempDir dir;
    IconExtract icons;
    icons.setFilename(dir.writeFile(u("fuenf.dll"), fiveIcons()));
    EXPECT_EQ(icons.IconCount(), 0);
    ASSERT_EQ(icons.Extract(), 5);
    EXPECT_EQ(icons.IconCount(), 5);
    for (int i = 0; i < 5; ++i) {
        const QImage large = icons.IconHandle(i, 1);
        const QImage small = icons.IconHandle(i, 0);
        ASSERT_EQ(large.size(), QSize(32, 32));
        ASSERT_EQ(small.size(), QSize(16, 16));
        EXPECT_EQ(centre(large), kColours[i]);
        EXPECT_EQ(centre(small),
                  qRgb(qRed(kColours[i]) / 2, qGreen(kColours[i]) / 2, qBlue(kColours[i]) / 2));
        EXPECT_EQ(icons.IconHandle(i, -7), large); // any non-zero value is large
    }
    QImage copy = icons.GetPicture(2, 1);
    copy.fill(Qt::black);
    EXPECT_EQ(centre(icons.GetPicture(2, 1)), kColours[2]);

    IconCanvas canvas(QSize(10, 10));
    const std::pair<const char*, std::function<void()>> calls[] = {
        {"IconHandle", [&] { icons.IconHandle(5, 1); }},
        {"IconHandle", [&] { icons.IconHandle(-1, 1); }},
        {"GetPicture", [&] { icons.GetPicture(5, 0); }},
        {"Draw2PictureBox", [&] { icons.Draw2PictureBox(canvas, 9, 1, true); }},
    };
    for (const auto& [procedure, call] : calls) {
        const AppErrorRecord e = Raised(call);
        EXPECT_EQ(e.Number, RuntimeError::SubscriptOutOfRange) << procedure;
        EXPECT_EQ(e.Source, u("IconExtract/") + QLatin1String(procedure));
        EXPECT_EQ(e.Description, u("Index außerhalb des gültigen Bereichs."));
    }

    PeWriter noIcons;
    noIcons.add(PeFile::RtVersion, 1, 0, QByteArray("v"));
    for (const QString& path :
         {dir.filePath(u("fehlt.exe")), dir.writeFile(u("ohne.exe"), noIcons.build()),
          dir.writeFile(u("text.ico"), QByteArray(100, 'x')), dir.path()}) {
        icons.setFilename(path);
        EXPECT_EQ(icons.Extract(), 0) << path.toStdString();
        EXPECT_EQ(icons.IconCount(), 0);
    }
}

TEST(IconExtract, GroupTrapsFromRealFiles)
{
    PeWriter w;
    // The directory claims 32 pixels and 4 bits for what is a 16 pixel 32-bit
    // image, and 0 (meaning 256) for a 32 pixel one.
    IconFixtures::Entry lying = IconFixtures::entry(IconFixtures::square(16, kColours[0]), 32);
    lying.width = lying.height = 32;
    lying.bitCount = 4;
    IconFixtures::Entry zero = IconFixtures::entry(IconFixtures::square(32, kColours[1]), 32);
    zero.width = zero.height = 0;
    IconFixtures::addGroup(w, 1, 1, {lying, zero});
    // The same group in two languages is one icon.
    IconFixtures::addGroup(w, 2, 11, {IconFixtures::entry(IconFixtures::square(32, kColours[2]))},
                           0x0407);
    IconFixtures::addGroup(w, 2, 21, {IconFixtures::entry(IconFixtures::square(32, kColours[3]))},
                           0x0409);
    // A group whose only image is broken gives no icon; one that names a
    // missing image keeps the images it has.
    IconFixtures::Entry broken = IconFixtures::entry(IconFixtures::square(32, kColours[4]));
    broken.bytes.truncate(60);
    IconFixtures::addGroup(w, 3, 31, {broken});
    IconFixtures::addGroup(w, 4, 41,
                           {IconFixtures::entry(IconFixtures::square(16, kColours[4])),
                            IconFixtures::entry(IconFixtures::square(32, kColours[0]))});
    // A picture group no icon is like (winecfg.exe has one): counted, and fit
    // into the square undistorted.
    QImage tall(194, 313, QImage::Format_ARGB32);
    tall.fill(kColours[1]);
    IconFixtures::addGroup(w, 5, 51, {IconFixtures::entry(tall, 32), IconFixtures::entry(tall, 8)});
    QByteArray image = w.build();
    PeFile pe;
    ASSERT_TRUE(pe.openData(image));
    const qsizetype secondId = qsizetype(pe.find(PeFile::RtGroupIcon, 4)->offset) + 6 + 14 + 12;
    PeWriter::put16(image, secondId, 999);

    TempDir dir;
    IconExtract icons;
    icons.setFilename(dir.writeFile(u("fallen.exe"), image));
    EXPECT_EQ(icons.Scan(), 4);
    EXPECT_EQ(icons.IconCount(), 0); // counting decodes nothing
    ASSERT_EQ(icons.Extract(), 4);
    EXPECT_EQ(centre(icons.IconHandle(0, 0)), kColours[0]);
    EXPECT_EQ(centre(icons.IconHandle(0, 1)), kColours[1]);
    EXPECT_EQ(centre(icons.IconHandle(1, 1)), kColours[2]);
    EXPECT_EQ(centre(icons.IconHandle(2, 1)), kColours[4]);
    EXPECT_EQ(icons.Images(2).size(), 1);
    const QImage fitted = icons.GetPicture(3, 1);
    ASSERT_EQ(fitted.size(), QSize(32, 32));
    // 194 x 313 becomes about 20 x 32, centred: clear at the sides, green between.
    EXPECT_EQ(qAlpha(fitted.pixel(0, 16)), 0);
    EXPECT_EQ(qAlpha(fitted.pixel(31, 16)), 0);
    EXPECT_EQ(fitted.pixel(16, 0), kColours[1]);
    EXPECT_EQ(fitted.pixel(16, 31), kColours[1]);
    EXPECT_EQ(icons.Decode(3, 16).size(), QSize(16, 16));

    // In an icon file, beside a PNG image.
    icons.setFilename(dir.writeFile(
        u("hoch.ico"),
        IconFixtures::icoFile({IconFixtures::entry(tall),
                               IconFixtures::pngEntry(IconFixtures::square(256, kColours[0]))})));
    ASSERT_EQ(icons.Extract(), 1);
    EXPECT_EQ(icons.Images(0).at(0).height, 313);
    EXPECT_TRUE(icons.Images(0).at(1).png);
}

TEST(IconExtract, DrawsIntoPictureBoxesAndForms)
{
    IconExtract icons;
    ASSERT_EQ(icons.ExtractFromData(fiveIcons()), 5);
    IconCanvas box(QSize(100, 60));
    box.BackColor = QColor(Qt::white);
    int refreshed = 0;
    box.onRefresh = [&] { ++refreshed; };
    icons.Draw2PictureBox(box, 1, 1, true);
    EXPECT_TRUE(box.AutoRedraw);
    EXPECT_EQ(box.Width(), 480);
    EXPECT_EQ(box.Height(), 480);
    EXPECT_EQ(box.image().size(), QSize(32, 32));
    // The background behind the transparent pixel.
    EXPECT_EQ(box.image().pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(box.image().pixel(20, 20), kColours[1]);
    icons.Draw2PictureBox(box, 1, 0, true);
    EXPECT_EQ(box.Width(), 240);
    EXPECT_EQ(refreshed, 2);

    IconCanvas form(QSize(200, 100));
    icons.Draw2Form(form, 0, 300, 150, 1, true);
    EXPECT_EQ(form.image().pixel(19, 9), qRgb(255, 255, 255));
    EXPECT_EQ(form.image().pixel(21, 11), kColours[0]);
    // The small icon's position is taken as pixels.
    icons.Draw2Form(form, 2, 100, 50, 0, false);
    EXPECT_EQ(form.image().pixel(110, 60), qRgb(0, 0, 100));
    EXPECT_EQ(form.image().pixel(21, 11), kColours[0]); // not cleared
    icons.Draw2Form(form, 2, 100, 50, 2, true);         // only exactly 1 is large
    EXPECT_EQ(form.image().pixel(21, 11), qRgb(255, 255, 255));
    EXPECT_EQ(form.image().pixel(110, 60), qRgb(0, 0, 100));
}
