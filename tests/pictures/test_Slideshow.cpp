// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/PictureLoader.h"
#include "pictures/SlideDecoder.h"
#include "pictures/SlideFit.h"
#include "pictures/SlideshowCursor.h"
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

#include <map>

#include <sys/resource.h>

namespace {
const QStringList kThree = {"/b/c.JPG", "/b/A.bmp", "/b/b.jpg"};

// Plays `actions` on the cursor, each picture asked for shown at once:
// T tick, t tick while minimised, F P N L first/previous/next/last,
// > play, | stop. The trace lists the pictures shown, "!" where the show ended.
QString Play(SlideshowCursor& cursor, const char* actions)
{
    using Move = SlideshowCursor::Step (SlideshowCursor::*)(bool);
    const std::map<char, Move> moves = {
        {'T', &SlideshowCursor::Tick},     {'F', &SlideshowCursor::First},
        {'P', &SlideshowCursor::Previous}, {'N', &SlideshowCursor::Next},
        {'L', &SlideshowCursor::Last},
    };
    QStringList trace;
    for (const char* a = actions; *a; ++a) {
        SlideshowCursor::Step step;
        if (*a == '>')
            cursor.Play();
        else if (*a == '|')
            cursor.Stop();
        else
            step = (cursor.*moves.at(*a == 't' ? 'T' : *a))(*a == 't');
        if (step.show >= 0) {
            cursor.SetShown(step.show);
            trace << QString::number(step.show) + (step.ended ? u("!") : QString());
        }
    }
    return trace.join(QLatin1Char(' '));
}

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
    // A TIFF header, one entry: orientation (0x0112), one SHORT of 6; no next directory.
    const QByteArray app1("Exif\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x06\0\0\0\0\0\0\0",
                          32);
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

TEST(SlideshowCursor, AShowFollowsTicksKeysAndButtons)
{
    const struct {
        const char* actions;
        const char* trace;
        const char* status;
        const char* buttons; // enabled: First Previous Next Last Play Stop
    } cases[] = {
        {"T", "0", "1 von 3 - Playing - 5 Sek.", "--NL-S"},
        {"TTT", "0 1 2!", "3 von 3 - Stopped - 5 Sek.", "FP--P-"},
        {"TP", "0", "1 von 3 - Playing - 5 Sek.", "--NL-S"}, // nothing before the first
        {"TT|P", "0 1 0", "1 von 3 - Stopped - 5 Sek.", "--NLP-"},
        {"TT|", "0 1", "2 von 3 - Stopped - 5 Sek.", "FPNLP-"}, // the picture on screen
        {"T|N", "0 1", "2 von 3 - Stopped - 5 Sek.", "FPNLP-"},
        {"T|L", "0 2!", "3 von 3 - Stopped - 5 Sek.", "FP--P-"},
        {"T|NN", "0 1 2!", "3 von 3 - Stopped - 5 Sek.", "FP--P-"},
        {"TNT", "0 1", "2 von 3 - Playing - 5 Sek.", "FPNL-S"}, // keeps playing
        {"TLT", "0 2!", "3 von 3 - Stopped - 5 Sek.", "FP--P-"},
        {"TtT", "0 1", "2 von 3 - Playing - 5 Sek.", "FPNL-S"}, // minimised: no slide
        {"TTT>T", "0 1 2! 0", "1 von 3 - Playing - 5 Sek.", "--NL-S"},
        {"TTTN", "0 1 2!", "3 von 3 - Stopped - 5 Sek.", "FP--P-"},
        {"TT|F", "0 1 0", "1 von 3 - Stopped - 5 Sek.", "--NLP-"},
    };
    for (const auto& c : cases) {
        SlideshowCursor cursor;
        cursor.StartShow(kThree, 5000);
        EXPECT_EQ(Play(cursor, c.actions), QLatin1String(c.trace)) << c.actions;
        EXPECT_EQ(cursor.StatusText(), QString::fromUtf8(c.status)) << c.actions;
        const bool states[] = {cursor.CanFirst(), cursor.CanPrevious(), cursor.CanNext(),
                               cursor.CanLast(),  cursor.CanPlay(),     cursor.CanStop()};
        QString buttons;
        for (int i = 0; i < 6; ++i)
            buttons += states[i] ? QLatin1Char("FPNLPS"[i]) : QLatin1Char('-');
        EXPECT_EQ(buttons, QLatin1String(c.buttons)) << c.actions;
    }
}

TEST(SlideshowCursor, ListOrderCaptionAndOnePicture)
{
    SlideshowCursor cursor;
    cursor.StartShow(kThree + QStringList{u("/b/a.bmp")}, 5000);
    EXPECT_EQ(cursor.Files(), (QStringList{"/b/A.bmp", "/b/a.bmp", "/b/b.jpg", "/b/c.JPG"}));
    Play(cursor, "TT");
    EXPECT_EQ(cursor.Caption(), u("Slideshow: /b/a.bmp"));

    cursor.StartShow({u("/x/only.png")}, 5000);
    EXPECT_EQ(Play(cursor, "T>T"), u("0! 0!"));
    EXPECT_EQ(cursor.StatusText(), u("1 von 1 - Stopped - 5 Sek."));
}

TEST(SlideshowCursor, TheTimerStartsFastThenKeepsTheInterval)
{
    SlideshowCursor cursor;
    cursor.StartShow(kThree, 5000);
    EXPECT_TRUE(cursor.Playing());
    EXPECT_EQ(cursor.TimerInterval(), SlideshowCursor::kFirstSlideMs);
    const quint32 starts = cursor.TimerStarts();
    Play(cursor, "T");
    EXPECT_EQ(cursor.TimerInterval(), 5000);
    // Navigating while playing: the next picture after a moment, then on.
    Play(cursor, "N");
    EXPECT_EQ(cursor.TimerInterval(), SlideshowCursor::kFirstSlideMs);
    EXPECT_EQ(cursor.TimerStarts(), starts + 1);
    // "3" while playing changes the timer at once.
    Play(cursor, "T");
    EXPECT_TRUE(cursor.ChooseInterval(2));
    EXPECT_EQ(cursor.TimerInterval(), 3000);
    EXPECT_EQ(cursor.StatusText(), u("2 von 3 - Playing - 3 Sek."));
    EXPECT_FALSE(cursor.ChooseInterval(2)) << "the same entry again changes nothing";
}

TEST(SlideFit, PicturesFillTheWidthOrTheHeightAtTheTop)
{
    const struct {
        QSize inner;
        int strip;
        QSize picture;
        QRect fitted;
    } cases[] = {
        {{400, 400}, 0, {100, 50}, {0, 0, 400, 200}},
        {{400, 400}, 0, {50, 100}, {100, 0, 200, 400}},
        {{400, 440}, 40, {50, 100}, {100, 0, 200, 400}}, // the strip's height is taken off
        {{400, 400}, 0, {4000, 4000}, {0, 0, 400, 400}},
        {{300, 200}, 0, {3000, 1000}, {0, 0, 300, 100}},
        {{0, 0}, 0, {100, 50}, {}}, // a minimised window: nothing to fit into
        {{400, 40}, 40, {100, 50}, {}},
        {{400, 400}, 0, {0, 50}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SlideFit(c.inner, c.strip, c.picture), c.fitted)
            << c.inner.width() << "x" << c.inner.height() << " " << c.picture.width();
    EXPECT_EQ(SlideDecodeSize({8000, 6000}, {800, 600}, 2.0), QSize(1600, 1200));
    EXPECT_EQ(SlideDecodeSize({100, 50}, {400, 200}, 1.0), QSize(100, 50)) << "never enlarged";
}

TEST(SlideDecoding, PicturesAreDecodedAtTheirFitUprightWhateverTheirName)
{
    TempDir dir;
    // Grey keeps the 48-megapixel source small in memory.
    QImage large(8000, 6000, QImage::Format_Grayscale8);
    large.fill(128);
    const QString big = dir.writeFile(u("gross.jpg"), Encoded(large, "JPEG"));
    large = QImage();
    const LoadedPicture fitted = DecodeFor(big, QSize(1000, 500));
    EXPECT_EQ(fitted.naturalSize, QSize(8000, 6000));
    EXPECT_LE(fitted.image.width(), 667);
    EXPECT_LE(fitted.image.height(), 500);

    const QString turned = dir.writeFile(u("gedreht.jpg"), TurnedJpeg(TwoHalves(QSize(400, 200))));
    const LoadedPicture upright = DecodeFor(turned, QSize(100, 100));
    EXPECT_EQ(upright.naturalSize, QSize(200, 400));
    ASSERT_EQ(upright.image.size(), QSize(50, 100));
    // Turned clockwise, the stored left half (red) is on top.
    EXPECT_GT(qRed(upright.image.pixel(25, 10)), 200);
    EXPECT_GT(qBlue(upright.image.pixel(25, 90)), 200);

    const QString png = dir.writeFile(u("eigentlich-png.jpg"), Encoded(TwoHalves({6, 4}), "PNG"));
    EXPECT_EQ(DecodeFor(png, QSize(60, 40)).image.size(), QSize(6, 4)) << "never enlarged";
}

TEST(SlideDecoding, EveryFormatTheReaderKnowsIsShown)
{
    TempDir dir;
    const QDir samples(u(TOLVANE_PICTURE_SAMPLES));
    const QList<QByteArray> writable = QImageWriter::supportedImageFormats();
    QStringList missing;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        const QString name = u("klein.") + QString::fromLatin1(format);
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
    const QByteArray huge = TempDir::contents(u(TOLVANE_PICTURE_SAMPLES "/riesig.png"));
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
    EXPECT_TRUE(PictureLoader::Decode(dir.writeFile(u("ganz.png"), png), {}, &cancelled).isNull());
    const LoadedPicture gone = DecodeFor(dir.filePath(u("weg.png")), QSize(8, 8));
    EXPECT_EQ(gone.failureNumber, 53);
    EXPECT_EQ(gone.failure, u("Datei oder Ordner nicht vorhanden."));
}

TEST(SlideDecoder, KeepsOnlyTheWantedPicturesAtTheCurrentSize)
{
    TempDir dir;
    QStringList files;
    for (int i = 0; i < 5; ++i)
        files << dir.writeFile(u("b%1.png").arg(i), Encoded(TwoHalves({400, 200}), "PNG"));
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
