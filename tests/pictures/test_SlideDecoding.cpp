// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/PictureLoader.h"
#include "pictures/SlideDecoder.h"
#include "pictures/SlideFit.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/resource.h>

namespace {
// Decoded as the slideshow does for a window of `inner` pixels.
LoadedPicture DecodeFor(const QString& path, QSize inner)
{
    return PictureLoader::Decode(path, [inner](const QSize& natural) {
        return SlideDecodeSize(natural, SlideFit(inner, 0, natural).size(), 1.0);
    });
}

QByteArray Encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format)) << format;
    return bytes;
}

QImage TwoHalves(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter(&image).fillRect(size.width() / 2, 0, size.width(), size.height(), Qt::blue);
    return image;
}

// A JPEG whose orientation tag says: turn 90 degrees clockwise to show.
QByteArray TurnedJpeg(const QImage& stored)
{
    const QByteArray tiff = QByteArray("II*\0\x08\0\0\0", 8) + QByteArray("\x01\0", 2) +
                            QByteArray("\x12\x01\x03\0\x01\0\0\0\x06\0\0\0", 12) +
                            QByteArray(4, '\0');
    const QByteArray app1 = QByteArray("Exif\0\0", 6) + tiff;
    const int length = int(app1.size()) + 2;
    QByteArray jpeg = Encoded(stored, "JPEG");
    return jpeg.insert(2, QByteArray("\xFF\xE1") + char(length >> 8) + char(length & 0xFF) + app1);
}

long ResidentKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}
} // namespace

TEST(SlideDecoding, PicturesAreDecodedAtTheirFitUprightWhateverTheirName)
{
    TempDir dir;
    // Grey keeps the 48-megapixel source small in memory.
    QImage large(8000, 6000, QImage::Format_Grayscale8);
    large.fill(128);
    const QString big = dir.writeFile(QStringLiteral("gross.jpg"), Encoded(large, "JPEG"));
    large = QImage();
    const LoadedPicture fitted = DecodeFor(big, QSize(1000, 500));
    EXPECT_EQ(fitted.naturalSize, QSize(8000, 6000));
    EXPECT_LE(fitted.image.width(), 667);
    EXPECT_LE(fitted.image.height(), 500);

    const QString turned =
        dir.writeFile(QStringLiteral("gedreht.jpg"), TurnedJpeg(TwoHalves(QSize(400, 200))));
    const LoadedPicture upright = DecodeFor(turned, QSize(100, 100));
    EXPECT_EQ(upright.naturalSize, QSize(200, 400));
    ASSERT_EQ(upright.image.size(), QSize(50, 100));
    // Turned clockwise, the stored left half (red) is on top.
    EXPECT_GT(qRed(upright.image.pixel(25, 10)), 200);
    EXPECT_GT(qBlue(upright.image.pixel(25, 90)), 200);

    const QString png =
        dir.writeFile(QStringLiteral("eigentlich-png.jpg"), Encoded(TwoHalves({6, 4}), "PNG"));
    EXPECT_EQ(DecodeFor(png, QSize(60, 40)).image.size(), QSize(6, 4)) << "never enlarged";
}

TEST(SlideDecoding, EveryFormatTheReaderKnowsIsShown)
{
    TempDir dir;
    const QDir samples(QStringLiteral(TOLVANE_PICTURE_SAMPLES));
    const QList<QByteArray> writable = QImageWriter::supportedImageFormats();
    QStringList missing;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        const QString name = QStringLiteral("klein.") + QString::fromLatin1(format);
        QString path = samples.filePath(name);
        if (writable.contains(format)) {
            path = dir.filePath(name);
            ASSERT_TRUE(TwoHalves({4, 3}).save(path, format.constData())) << format.constData();
        } else if (!QFile::exists(path)) {
            missing << name;
            continue;
        }
        // Icon formats keep sizes of their own; the samples are all 4 x 3.
        const LoadedPicture picture = DecodeFor(path, QSize(400, 300));
        EXPECT_FALSE(picture.isNull())
            << format.constData() << " " << picture.failure.toStdString();
        EXPECT_EQ(picture.naturalSize, format == "icns" ? QSize(16, 16) : QSize(4, 3))
            << format.constData();
    }
    EXPECT_TRUE(missing.isEmpty()) << "no sample for " << missing.join(' ').toStdString();
}

TEST(SlideDecoding, WhatCannotBeShownSaysWhyWithoutTakingMemory)
{
    TempDir dir;
    const QByteArray png = Encoded(TwoHalves({64, 64}), "PNG");
    // A PNG whose header claims 100000 x 100000 pixels.
    const QByteArray huge =
        TempDir::contents(QStringLiteral(TOLVANE_PICTURE_SAMPLES "/riesig.png"));
    const struct {
        const char* name;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"leer.png", {}, "Die Datei ist leer."},
        {"halb.png", png.left(png.size() / 2), "Die Bilddaten sind beschädigt oder unvollständig."},
        {"text.jpg", "kein Bild", "Das Dateiformat wird nicht unterstützt."},
        {"riesig.png", huge, "Das Bild ist mit 100000 x 100000 Pixeln zu groß."},
    };
    const long before = ResidentKiB();
    for (const auto& c : cases) {
        const LoadedPicture picture =
            DecodeFor(dir.writeFile(QLatin1String(c.name), c.bytes), QSize(800, 600));
        EXPECT_TRUE(picture.isNull()) << c.name;
        EXPECT_EQ(picture.failure, QString::fromUtf8(c.reason)) << c.name;
    }
    EXPECT_LT(ResidentKiB() - before, 64 * 1024) << "KiB grown";
    // A decode nobody wants any more reads no further.
    const std::atomic<bool> cancelled{true};
    EXPECT_TRUE(
        PictureLoader::Decode(dir.writeFile(QStringLiteral("ganz.png"), png), {}, &cancelled)
            .isNull());
    const LoadedPicture gone = DecodeFor(dir.filePath(QStringLiteral("weg.png")), QSize(8, 8));
    EXPECT_EQ(gone.failureNumber, 53);
    EXPECT_EQ(gone.failure, QStringLiteral("Datei oder Ordner nicht vorhanden."));
}

TEST(SlideDecoder, KeepsOnlyTheWantedPicturesAtTheCurrentSize)
{
    TempDir dir;
    QStringList files;
    for (int i = 0; i < 5; ++i)
        files << dir.writeFile(QStringLiteral("b%1.png").arg(i),
                               Encoded(TwoHalves({400, 200}), "PNG"));
    SlideDecoder decoder;
    QSignalSpy decoded(&decoder, &SlideDecoder::Decoded);
    decoder.SetFiles(files);
    decoder.Want({1, 2, 0});
    EXPECT_TRUE(decoded.isEmpty()) << "nothing is decoded without room to fit";
    decoder.SetGeometry(QSize(200, 150), 50, 1.0);
    QTRY_COMPARE(decoded.size(), 3);
    EXPECT_EQ(decoded.first().first().toInt(), 1) << "the most urgent first";
    ASSERT_NE(decoder.Ready(2), nullptr);
    EXPECT_EQ(decoder.Ready(2)->image.size(), QSize(200, 100));

    decoder.Want({3});
    EXPECT_EQ(decoder.HeldCount(), 0);
    QTRY_VERIFY(decoder.Ready(3) != nullptr);
    // A new size decodes anew; what was asked for at the old one is dropped.
    decoder.Want({3, 4});
    decoder.SetGeometry(QSize(100, 100), 0, 1.0);
    QTRY_VERIFY(decoder.Ready(3) && decoder.Ready(4));
    EXPECT_EQ(decoder.Ready(3)->image.size(), QSize(100, 50));
    EXPECT_EQ(decoder.Ready(4)->image.size(), QSize(100, 50));
    EXPECT_EQ(decoder.HeldCount(), 2);
}
