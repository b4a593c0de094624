// SPDX-License-Identifier: GPL-3.0-or-later
// The icon viewer, offscreen, on generated folders: 2,000 icon files of four
// sizes each (256 as PNG) in icon-file mode; a library of 500 icon groups;
// a folder of 1,000 programs, half of them with icons, in executable mode.
// Prints the time until each list stands.
#include "BenchFigures.h"
#include "QuietWindows.h"
#include "icons/frmIconView.h"
#include "support/IconFixtures.h"
#include "support/PeWriter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {
void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

QByteArray Library(int groups, int shade)
{
    PeWriter w;
    for (int g = 0; g < groups; ++g) {
        const QRgb c = qRgb(shade % 256, g % 256, 90);
        IconFixtures::addGroup(w, quint16(g + 1), quint16(2 * g + 1),
                               {IconFixtures::entry(IconFixtures::square(16, c), 8),
                                IconFixtures::entry(IconFixtures::square(32, c), 32)});
    }
    return w.build();
}

// Seconds from opening the viewer until `done` holds.
template <typename Done> double Time(const QString& folder, bool iconFiles, Done done)
{
    QElapsedTimer clock;
    clock.start();
    frmIconView form;
    if (!form.pubInitForm(folder, iconFiles, true))
        return -1;
    if (!QTest::qWaitFor([&] { return done(form); }, 120000))
        return -1;
    return clock.nsecsElapsed() / 1e9;
}
} // namespace

int main(int argc, char** argv)
{
    QuietWindows quiet;
    QApplication app(argc, argv);

    QTemporaryDir icons;
    QByteArray ico;
    {
        const QRgb c = qRgb(10, 120, 200);
        ico = IconFixtures::icoFile({IconFixtures::entry(IconFixtures::square(16, c), 8),
                                     IconFixtures::entry(IconFixtures::square(32, c)),
                                     IconFixtures::entry(IconFixtures::square(48, c)),
                                     IconFixtures::pngEntry(IconFixtures::square(256, c))});
    }
    for (int i = 0; i < 2000; ++i)
        Write(icons.filePath(QStringLiteral("icon%1.ico").arg(i, 4, 10, QLatin1Char('0'))), ico);
    const double iconFiles = Time(icons.path(), true, [](const frmIconView& f) {
        return !f.IsListing() && f.LV->count() == 2000;
    });
    std::printf("2000 icon files listed:            %.2f s (target < 2 s)\n", iconFiles);

    QTemporaryDir big;
    Write(big.filePath(QStringLiteral("gross.dll")), Library(500, 1));
    const double groups = Time(big.path(), false, [](const frmIconView& f) {
        return !f.IsListing() && f.LV->count() == 500;
    });
    std::printf("library of 500 icon groups shown:  %.2f s (target < 1 s)\n", groups);

    QTemporaryDir programs;
    const QByteArray withIcons = Library(3, 7);
    const QByteArray without = Library(0, 0);
    for (int i = 0; i < 1000; ++i)
        Write(programs.filePath(QStringLiteral("p%1.exe").arg(i, 4, 10, QLatin1Char('0'))),
              i % 2 ? without : withIcons);
    const double list = Time(programs.path(), false,
                             [](const frmIconView& f) { return f.lstFiles->count() == 500; });
    std::printf("1000 programs, executable list:    %.2f s (target < 3 s)\n", list);
    std::printf("peak memory:                       %.0f MiB\n", PeakMemoryMiB());
    return iconFiles < 0 || groups < 0 || list < 0 ? 1 : 0;
}
