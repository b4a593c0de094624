// SPDX-License-Identifier: GPL-3.0-or-later
// Previews a 6000 x 4000 JPEG in a thumbnail of the information pane's size
// and prints the time to the first painted thumbnail and the peak memory.
#include "BenchFigures.h"
#include "pictures/ThumbNail.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/foto.jpg");
    {
        QImage image(6000, 4000, QImage::Format_RGB32);
        QPainter painter(&image);
        QLinearGradient gradient(0, 0, 6000, 4000);
        gradient.setColorAt(0, Qt::darkBlue);
        gradient.setColorAt(1, Qt::yellow);
        painter.fillRect(image.rect(), gradient);
        for (int i = 0; i < 400; ++i)
            painter.fillRect((i * 97) % 5800, (i * 61) % 3800, 150, 150,
                             QColor::fromHsv(i % 360, 200, 220));
        painter.end();
        if (!image.save(path, "JPEG", 90))
            return 1;
    }
    const double memoryBefore = PeakMemoryMiB();
    ThumbNail thumb;
    thumb.resize(233, 260);
    thumb.show();
    QCoreApplication::processEvents();

    double best = 1e9;
    double first = 0;
    for (int run = 0; run < 5; ++run) {
        thumb.LoadPicture(QString());
        QElapsedTimer timer;
        timer.start();
        thumb.LoadPicture(path);
        if (thumb.Image().isNull())
            return 2;
        thumb.repaint();
        const double seconds = timer.nsecsElapsed() / 1e9;
        if (run == 0)
            first = seconds;
        best = std::min(best, seconds);
    }
    std::printf("bench_preview: 6000 x 4000 JPEG into a %d x %d thumbnail (decoded at %d x %d)\n",
                thumb.width(), thumb.height(), thumb.Picture().image.width(),
                thumb.Picture().image.height());
    std::printf("  seconds to the painted thumbnail: first %.3f, best of 5 %.3f\n", first, best);
    std::printf("  peak memory growth: %.1f MiB (peak %.1f MiB)\n", PeakMemoryMiB() - memoryBefore,
                PeakMemoryMiB());
    return 0;
}
