// SPDX-License-Identifier: GPL-3.0-or-later
// Opens a folder of 100,000 files with the pattern "*.jpg;*.png" in the file
// box (model and view) and prints the time, files per second and the growth of
// peak memory.
#include "BenchFigures.h"
#include "browser/FileBoxModel.h"
#include "core/FilePattern.h"
#include "core/FolderListing.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    const int count = argc > 1 ? QByteArray(argv[1]).toInt() : 100000;
    QTemporaryDir dir;
    const char* extensions[] = {"jpg", "png", "txt", "JPG", "doc"};
    for (int i = 0; i < count; ++i) {
        QFile file(dir.path() + QStringLiteral("/Datei_%1.%2")
                                    .arg(i, 6, 10, QLatin1Char('0'))
                                    .arg(QLatin1String(extensions[i % 5])));
        if (!file.open(QIODevice::WriteOnly))
            return 1;
    }
    QListView view;
    FileBoxModel model;
    view.setModel(&model);
    view.setUniformItemSizes(true);
    view.setLayoutMode(QListView::Batched);
    view.setSelectionMode(QAbstractItemView::ExtendedSelection);
    view.resize(300, 600);
    view.show();
    QCoreApplication::processEvents();

    double best = 1e9;
    double memoryBefore = PeakMemoryMiB();
    double memoryGrowth = 0;
    qsizetype listed = 0;
    for (int run = 0; run < 3; ++run) {
        model.SetPattern(QStringLiteral("*.*"));
        model.SetPath(QStringLiteral("/"));
        QCoreApplication::processEvents();
        if (run == 0)
            memoryBefore = PeakMemoryMiB();
        QElapsedTimer timer;
        timer.start();
        model.SetPattern(QStringLiteral("*.jpg;*.png"));
        model.SetPath(dir.path());
        view.selectionModel()->setCurrentIndex(model.index(0), QItemSelectionModel::ClearAndSelect);
        QCoreApplication::processEvents();
        const double seconds = timer.nsecsElapsed() / 1e9;
        best = std::min(best, seconds);
        listed = model.ListCount();
        if (run == 0)
            memoryGrowth = PeakMemoryMiB() - memoryBefore;
    }
    std::printf("bench_filebox: folder of %d files, pattern *.jpg;*.png, %lld listed\n", count,
                static_cast<long long>(listed));
    std::printf("  seconds (best of 3): %.3f\n", best);
    std::printf("  files per second: %.0f\n", count / best);
    std::printf("  peak memory growth: %.1f MiB (peak %.1f MiB)\n", memoryGrowth, PeakMemoryMiB());

    // The listing alone, by names and with the name bytes kept.
    const FilePattern pattern(QStringLiteral("*.jpg;*.png"));
    const QString folder = dir.path() + QLatin1Char('/');
    double names = 1e9, entries = 1e9;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        listed = FolderListing::Files(folder, pattern).size();
        names = std::min(names, timer.nsecsElapsed() / 1e9);
        timer.restart();
        listed = FolderListing::FileEntries(folder, pattern).size();
        entries = std::min(entries, timer.nsecsElapsed() / 1e9);
    }
    std::printf("  listing by names: %.3f s, with name bytes: %.3f s (+%.0f %%)\n", names, entries,
                (entries / names - 1) * 100);
    return 0;
}
