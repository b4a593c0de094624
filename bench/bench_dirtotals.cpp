// SPDX-License-Identifier: GPL-3.0-or-later
// Folder totals on a large tree, warm cache: the walk against `du -sx` on the
// same tree in the same run, the memory the walk adds, and the longest pause
// of the event loop while the folder window counts.
// TOLVANE_BENCH_FILES sets the tree size (default 1,000,000 files, 100 a folder).
#include "BenchFigures.h"
#include "fileinfo/frmDirInfo.h"
#include "fileinfo/pDirTotals.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {
constexpr int kPerFolder = 100;

void buildTree(const QString& root, int files)
{
    for (int i = 0; i < files; ++i) {
        const QString folder = root + QStringLiteral("/o%1/u%2").arg(i / 10000).arg(i / kPerFolder);
        if (i % kPerFolder == 0)
            QDir().mkpath(folder);
        QFile file(folder + QStringLiteral("/f%1").arg(i));
        file.open(QIODevice::WriteOnly);
        if (i % 7 == 0)
            file.write("tolvane");
    }
}

double bestOf(int runs, const std::function<void()>& work)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

// The longest gap between ticks of a 10 ms timer while the window counts.
qint64 longestPause(const QString& root)
{
    frmDirInfo window;
    window.pubInit(root);
    QElapsedTimer sinceTick;
    qint64 longest = 0;
    QTimer probe;
    probe.setInterval(10);
    QObject::connect(&probe, &QTimer::timeout,
                     [&] { longest = std::max(longest, sinceTick.restart()); });
    window.show();
    sinceTick.start();
    probe.start();
    while (window.IsCounting())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return longest;
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int files = qEnvironmentVariableIsSet("TOLVANE_BENCH_FILES")
                          ? qEnvironmentVariableIntValue("TOLVANE_BENCH_FILES")
                          : 1000000;
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/tolvane-bench-XXXXXX"));
    QElapsedTimer built;
    built.start();
    buildTree(dir.path(), files);
    std::printf("tree: %d files in %d folders, built in %.1f s\n", files, files / kPerFolder,
                built.elapsed() / 1000.0);

    const double before = PeakMemoryMiB();
    pDirTotals warm;
    warm.Count(dir.path()); // fills the cache for both
    pDirTotals::Figures figures;
    const double walkMs = bestOf(3, [&] {
        pDirTotals totals;
        totals.Count(dir.path());
        figures = totals.Current();
    });
    const double grown = PeakMemoryMiB() - before;
    const double duMs = bestOf(3, [&] {
        QProcess du;
        du.setStandardOutputFile(QProcess::nullDevice());
        du.start(QStringLiteral("du"), {QStringLiteral("-sx"), dir.path()});
        du.waitForFinished(-1);
    });
    std::printf("counted: %lld files, %lld folders\n", figures.files, figures.folders);
    std::printf("walk %.0f ms, du -sx %.0f ms, ratio %.2f (target <= 1.5)\n", walkMs, duMs,
                walkMs / duMs);
    std::printf("memory growth during the walk: %.1f MB (target < 100)\n", grown);
    std::printf("longest event-loop pause while the window counts: %lld ms (target <= 50)\n",
                longestPause(dir.path()));
    std::printf("removing the tree ...\n");
    return 0;
}
