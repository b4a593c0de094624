// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppErrorRecord.h"
#include "core/AppSettings.h"
#include "pictures/PictureLoader.h"
#include "pictures/ThumbNail.h"
#include "pictures/ThumbNailLayout.h"
#include "pictures/pPicViewer.h"
#include "support/Raised.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

namespace {
QString WritePicture(const TempDir& dir, const QString& name, QSize size, QColor color = Qt::blue)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    const QString path = dir.filePath(name);
    image.save(path);
    return path;
}
} // namespace

TEST(ThumbNailLayout, FitKeepsTheAspectRatioAndCentres)
{
    const ThumbNailLayout wide = ThumbNailLayout::Compute(300, 300, 400, 300, false);
    EXPECT_EQ(wide.picture, QRectF(0, 37, 300, 225));
    ASSERT_EQ(wide.bands.size(), 2);
    EXPECT_EQ(wide.bands[0], QRectF(0, 0, 300, 37));
    EXPECT_EQ(wide.bands[1], QRectF(0, 262, 300, 38));

    const ThumbNailLayout tall = ThumbNailLayout::Compute(400, 300, 300, 400, false);
    EXPECT_EQ(tall.picture, QRectF(87, 0, 225, 300));
    ASSERT_EQ(tall.bands.size(), 2);
    EXPECT_EQ(tall.bands[0], QRectF(0, 0, 87, 300));

    const ThumbNailLayout exact = ThumbNailLayout::Compute(400, 300, 800, 600, false);
    EXPECT_EQ(exact.picture, QRectF(0, 0, 400, 300));
    EXPECT_TRUE(exact.bands.isEmpty());

    const ThumbNailLayout stretched = ThumbNailLayout::Compute(300, 300, 400, 300, true);
    EXPECT_EQ(stretched.picture, QRectF(0, 0, 300, 300));
    EXPECT_TRUE(stretched.bands.isEmpty());

    EXPECT_FALSE(ThumbNailLayout::Compute(300, 300, 0, 0, false).drawPicture);
    EXPECT_FALSE(ThumbNailLayout::Compute(300, 300, 0, 10, false).drawPicture);
    EXPECT_FALSE(ThumbNailLayout::Compute(0, 300, 10, 10, false).drawPicture);
}

TEST(ThumbNail, DrawsTheFittedPictureBetweenBandsDecodedAtTheShownSize)
{
    TempDir dir;
    ThumbNail thumb;
    thumb.SetBorderStyle(0);
    thumb.resize(300, 300);
    thumb.SetBackColor(Qt::green);
    thumb.LoadPicture(WritePicture(dir, u("wide.png"), QSize(400, 300), Qt::red));
    const QImage shown = thumb.Image().toImage();
    ASSERT_EQ(shown.size(), QSize(300, 300));
    EXPECT_EQ(shown.pixelColor(150, 10), QColor(Qt::green));
    EXPECT_EQ(shown.pixelColor(150, 150), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(150, 290), QColor(Qt::green));

    thumb.SetStretch(true);
    EXPECT_EQ(thumb.Image().toImage().pixelColor(150, 5), QColor(Qt::red));
    thumb.LoadPicture(QString());
    EXPECT_TRUE(thumb.Image().isNull());

    // A large picture is decoded at the shown size; failures name their place and
    // keep the picture; saving writes it whole.
    thumb.resize(200, 150);
    thumb.LoadPicture(WritePicture(dir, u("gross.jpg"), QSize(4000, 3000)));
    EXPECT_EQ(thumb.Picture().naturalSize, QSize(4000, 3000));
    EXPECT_LE(thumb.Picture().image.width(), 1000);
    EXPECT_GE(thumb.Picture().image.width(), 200);

    const AppErrorRecord broken =
        Raised([&] { thumb.LoadPicture(dir.writeFile(u("kaputt.jpg"), "not a picture")); });
    EXPECT_EQ(broken.Number, 481);
    EXPECT_TRUE(broken.Source.endsWith(u(": LoadPicture"))) << broken.Source.toStdString();
    EXPECT_EQ(Raised([&] { thumb.LoadPicture(dir.filePath(u("fehlt.png"))); }).Number, 53);
    EXPECT_EQ(thumb.Picture().naturalSize, QSize(4000, 3000));

    const QString copy = dir.filePath(u("kopie.png"));
    thumb.SavePicture(copy);
    EXPECT_EQ(QImage(copy).size(), QSize(4000, 3000));
    EXPECT_TRUE(Raised([&] {
                    thumb.SavePicture(dir.filePath(u("kein/ordner.png")));
                }).Source.endsWith(u(": SavePicture")));
}

TEST(ThumbNail, AsynchronousPaintingPaintsABurstOnce)
{
    ThumbNail thumb;
    thumb.resize(100, 100);
    thumb.SetPaintAsync(true);
    thumb.SetAsyncInterval(20);
    const int before = thumb.PaintCount();
    QImage image(10, 10, QImage::Format_RGB32);
    for (QColor color : {QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue)}) {
        image.fill(color);
        thumb.SetPicture(image);
    }
    EXPECT_EQ(thumb.PaintCount(), before);
    ASSERT_TRUE(QTest::qWaitFor([&] { return thumb.PaintCount() > before; }));
    // Painted once, with the last picture asked for.
    EXPECT_EQ(thumb.PaintCount(), before + 1);
    EXPECT_EQ(thumb.Image().toImage().pixelColor(50, 50), QColor(Qt::blue));
}

TEST(PictureLoader, DecodeSizeCoversBothFitAndStretch)
{
    EXPECT_EQ(PictureLoader::DecodeSize(QSize(6000, 4000), QSize(300, 300)), QSize(450, 300));
    EXPECT_EQ(PictureLoader::DecodeSize(QSize(100, 50), QSize(300, 300)), QSize(100, 50));
    EXPECT_EQ(PictureLoader::DecodeSize(QSize(100, 50), QSize()), QSize(100, 50));
}

TEST(pPicViewer, DefaultsAreStoredAndPicturesAndTheirFoldersRecognised)
{
    pPicViewer viewer;
    const QString pattern = u("bmp;jpg;jpeg;png;gif;webp;tif;tiff");
    EXPECT_EQ(viewer.Pattern(), pattern);
    EXPECT_TRUE(viewer.PatternFilter().startsWith(u("*. bmp|*.bmp|*. jpg|*.jpg|")));
    EXPECT_EQ(viewer.FilePatternText(), u("*.bmp;*.jpg;*.jpeg;*.png;*.gif;*.webp;*.tif;*.tiff"));
    EXPECT_EQ(viewer.BackColor(), 0);
    EXPECT_EQ(AppGetSetting(akPicViewer, u("Pattern")), pattern);
    EXPECT_EQ(AppGetSetting(akPicViewer, u("SlideShowInterval")), u("5000"));
    EXPECT_TRUE(viewer.FileIsPic(u("/x/FOTO.JPG")));
    EXPECT_FALSE(viewer.FileIsPic(u("/x/ohnepunkt")));
    EXPECT_FALSE(viewer.FileIsPic(u("/x.jpg/datei")));
    EXPECT_TRUE(viewer.FileIsPic(u("bild.Png")));
    EXPECT_FALSE(viewer.FileIsPic(u("bild.svg")));

    // A folder has pictures only when a mask matches.
    AppSaveSetting(akPicViewer, u("Pattern"), u("png;gif"));
    pPicViewer narrow;
    TempDir dir;
    dir.writeFile(u("bild.jpg"));
    EXPECT_FALSE(narrow.PathHasPics(dir.path()));
    dir.writeFile(u("Bild.GIF"));
    EXPECT_TRUE(narrow.PathHasPics(dir.path().chopped(1)));
    EXPECT_FALSE(narrow.PathHasPics(QString()));
}

TEST(pPicViewer, IntervalBelowASecondOrNotANumberReadsAsFiveSeconds)
{
    for (const auto& [stored, expected] : {std::pair{"500", 5000}, {"abc", 5000}, {"1000", 1000}}) {
        AppSaveSetting(akPicViewer, u("SlideShowInterval"), QLatin1String(stored));
        pPicViewer viewer;
        EXPECT_EQ(viewer.SlideShowInterval(), expected) << stored;
    }
    {
        pPicViewer viewer;
        viewer.SetSlideShowInterval(7000);
    }
    EXPECT_EQ(AppGetSetting(akPicViewer, u("SlideShowInterval")), u("7000"));
}
