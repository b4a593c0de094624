// SPDX-License-Identifier: GPL-3.0-or-later
// The slideshow window over 20 JPEGs of 50 megapixels at 1920 x 1080,
// offscreen, the show stopped: the time from the key to the painted picture
// (Right onto a picture decoded ahead, End onto one that is not), the worst
// lateness of a 10 ms timer meanwhile (how long the window stalled) and the
// memory over 200 slides.
#include "BenchFigures.h"
#include "QuietWindows.h"
#include "pictures/SlidePicture.h"
#include "pictures/frmSlideshow.h"
#include "pictures/pPicViewer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {
constexpr int kPictures = 20;

constexpr QSize kPictureSize(8660, 5774); // 50 megapixels, 3:2

double ResidentMiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * 4096 / (1024.0 * 1024.0) : 0;
}

// Photographs have detail everywhere; a smooth gradient would decode too fast.
QStringList MakePictures(const QString& folder)
{
    QImage base(kPictureSize, QImage::Format_RGB32);
    QPainter painter(&base);
    QLinearGradient gradient(0, 0, kPictureSize.width(), kPictureSize.height());
    gradient.setColorAt(0, QColor(20, 60, 140));
    gradient.setColorAt(1, QColor(230, 190, 60));
    painter.fillRect(base.rect(), gradient);
    QRandomGenerator random(16);
    for (int i = 0; i < 40000; ++i)
        painter.fillRect(random.bounded(kPictureSize.width()),
                         random.bounded(kPictureSize.height()), random.bounded(4, 60),
                         random.bounded(4, 60), QColor::fromRgb(random.generate()));
    painter.end();
    QStringList files;
    for (int i = 0; i < kPictures; ++i) {
        QPainter mark(&base);
        mark.fillRect(200 * i, 200, 180, 180, Qt::white);
        mark.end();
        files << folder + QStringLiteral("/foto%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
        if (!base.save(files.last(), "JPEG", 90))
            return {};
    }
    return files;
}

// Milliseconds from the key to the picture it asks for painted.
double KeyToPaint(frmSlideshow& window, Qt::Key key)
{
    QElapsedTimer timer;
    timer.start();
    const qint32 wanted = key == Qt::Key_End    ? kPictures - 1
                          : key == Qt::Key_Home ? 0
                                                : window.Cursor().Shown() + 1;
    bool painted = false;
    const auto connection = QObject::connect(&window, &frmSlideshow::picturePainted,
                                             [&](qint32 index) { painted = index == wanted; });
    QTest::keyClick(window.Image1, key);
    while (!painted && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    QObject::disconnect(connection);
    return timer.nsecsElapsed() / 1e6;
}

bool WaitUntilReady(frmSlideshow& window, qint32 index)
{
    return QTest::qWaitFor([&] { return window.PictureReady(index); }, 10000);
}

double Median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}
} // namespace

int main(int argc, char** argv)
{
    QuietWindows quiet; // "Slideshow beendet." and the like are answered at once
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QElapsedTimer making;
    making.start();
    const QStringList files = MakePictures(dir.path());
    if (files.size() != kPictures)
        return 1;
    std::printf("bench_slideshow: %d JPEGs of %d x %d made in %.1f s\n", kPictures,
                kPictureSize.width(), kPictureSize.height(), making.elapsed() / 1000.0);

    pPicViewer viewer;
    frmSlideshow window;
    window.resize(1920, 1080);
    if (!window.pubInitForm(QString(), &files, viewer))
        return 2;
    window.show();
    if (!QTest::qWaitFor([&] { return window.Cursor().Shown() == 0; }, 10000))
        return 3;
    window.findChild<QAbstractButton*>(QStringLiteral("cmdStop"))->click();
    (void)WaitUntilReady(window, 1);

    // The stall probe: how late a 10 ms timer fires at worst.
    QElapsedTimer clock;
    clock.start();
    qint64 last = clock.elapsed();
    qint64 worstLate = 0;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        worstLate = std::max(worstLate, now - last - 10);
        last = now;
    });
    probe.start(10);

    const double memoryStart = ResidentMiB();
    double memoryMost = memoryStart;
    QList<double> right;
    QList<double> end;
    QList<double> endBusy;
    for (int slide = 1; slide <= 200; ++slide) {
        if (window.Cursor().Shown() == kPictures - 1) {
            // Not decoded ahead: once with the neighbour of the first picture
            // still being decoded, once with nothing under way.
            KeyToPaint(window, Qt::Key_Home);
            endBusy.append(KeyToPaint(window, Qt::Key_End));
            KeyToPaint(window, Qt::Key_Home);
            (void)WaitUntilReady(window, 1);
            end.append(KeyToPaint(window, Qt::Key_End));
            KeyToPaint(window, Qt::Key_Home);
        } else {
            (void)WaitUntilReady(window, window.Cursor().Shown() + 1);
            right.append(KeyToPaint(window, Qt::Key_Right));
        }
        memoryMost = std::max(memoryMost, ResidentMiB());
    }
    probe.stop();
    const auto worst = [](const QList<double>& values) {
        return values.isEmpty() ? 0.0 : *std::max_element(values.cbegin(), values.cend());
    };
    std::printf("  window %d x %d, picture area %d x %d\n", window.width(), window.height(),
                window.Image1->width(), window.Image1->height());
    std::printf(
        "  Right to a picture decoded ahead, painted: median %.1f ms, worst %.1f ms (%lld)\n",
        Median(right), worst(right), qint64(right.size()));
    std::printf(
        "  End to a picture not decoded ahead, painted: median %.1f ms, worst %.1f ms (%lld)\n",
        Median(end), worst(end), qint64(end.size()));
    std::printf(
        "  the same while a neighbour is being decoded ahead: median %.1f ms, worst %.1f ms\n",
        Median(endBusy), worst(endBusy));
    std::printf("  worst lateness of a 10 ms timer: %lld ms\n", worstLate);
    std::printf("  memory: %.1f MiB at the start, at most %.1f MiB over 200 slides (+%.1f), peak "
                "%.1f MiB\n",
                memoryStart, memoryMost, memoryMost - memoryStart, PeakMemoryMiB());
    return 0;
}
