// SPDX-License-Identifier: GPL-3.0-or-later
// Folder comparison of 2 x 100,000 files (80,000 names in both, some newer,
// older or resized), warm cache:
//   - `tolvane-cli compare A B >/dev/null` beside `rsync -n -i -r A/ B/
//     >/dev/null` (when rsync is installed), taken in turn, median of five
//     pairs: at most half its time; the companion's peak under 100 MB
//   - the window: both lists shown within 1 s of the scan, growing under
//     150 MB
// The folders go where TOLVANE_BENCH_DIR says, else into the temporary folder.
#include "BenchFigures.h"
#include "BenchProcess.h"
#include "dircomp/DirCompListModel.h"
#include "dircomp/DirCompRows.h"
#include "dircomp/frmDirComp.h"
#include "dircomp/pDirComp.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

void put(int folder, const QByteArray& name, qint64 size, qint64 mtime)
{
    const int fd = ::openat(folder, name.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        std::exit(2);
    const QByteArray bytes(size, 'x');
    if (::write(fd, bytes.constData(), size_t(size)) != size)
        std::exit(2);
    const timespec times[2] = {{mtime, 0}, {mtime, 0}};
    ::futimens(fd, times);
    ::close(fd);
}

// 80 % of the names in both folders: a tenth of them newer in the source,
// a tenth older, one in twenty resized; the rest in one folder only.
void generate(const QString& source, const QString& dest, int count)
{
    const int a = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_DIRECTORY);
    const int b = ::open(QFile::encodeName(dest).constData(), O_RDONLY | O_DIRECTORY);
    const int common = count * 4 / 5;
    for (int i = 0; i < count; ++i) {
        const qint64 time = 1'700'000'000 + i;
        const qint64 size = i % 97;
        if (i < common) {
            const QByteArray name = "gemeinsam-" + QByteArray::number(i).rightJustified(6, '0');
            put(a, name, size, time + (i % 10 == 1 ? 60 : i % 10 == 2 ? -60 : 0));
            put(b, name, size + (i % 20 == 3 ? 1 : 0), time);
        } else {
            put(a, "quelle-" + QByteArray::number(i).rightJustified(6, '0'), size, time);
            put(b, "ziel-" + QByteArray::number(i).rightJustified(6, '0'), size, time);
        }
    }
    ::close(a);
    ::close(b);
}

double residentMiB()
{
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return double(resident) * double(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void companionBesideRsync(const QString& source, const QString& dest)
{
    const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/tolvane-cli");
    const QString rsync = QStandardPaths::findExecutable(QStringLiteral("rsync"));
    const QStringList ours{cli, QStringLiteral("compare"), source, dest};
    const QStringList theirs{rsync,
                             QStringLiteral("-n"),
                             QStringLiteral("-i"),
                             QStringLiteral("-r"),
                             source + QLatin1Char('/'),
                             dest + QLatin1Char('/')};
    runProcess(ours); // warm the cache
    std::vector<double> mine;
    std::vector<double> ratios;
    double peak = 0;
    int code = 0;
    for (int i = 0; i < 5; ++i) {
        const Run run = runProcess(ours);
        mine.push_back(run.seconds);
        peak = std::max(peak, run.peakMiB);
        code = std::max(code, run.code);
        if (!rsync.isEmpty())
            ratios.push_back(run.seconds / runProcess(theirs).seconds);
    }
    std::printf("tolvane-cli compare: median %.3f s, peak %.1f MiB (target < 100), exit %d\n",
                median(mine), peak, code);
    if (rsync.isEmpty())
        std::printf("rsync is not installed: no ratio\n");
    else
        std::printf("beside rsync -n -i -r: median ratio %.2f (target <= 0.5)\n", median(ratios));
}

void windowListing(const QString& source, const QString& dest)
{
    std::vector<double> scans;
    std::vector<double> rows;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer timer;
        timer.start();
        pDirComp comparison;
        comparison.Compare(source, dest);
        scans.push_back(timer.nsecsElapsed() / 1e9);
        timer.restart();
        const DirCompRows a = ListingRows(comparison.Source());
        const DirCompRows b = ListingRows(comparison.Dest());
        rows.push_back(timer.nsecsElapsed() / 1e9);
    }
    const double before = residentMiB();
    frmDirComp window;
    window.txtPath[0]->setText(source);
    window.txtPath[1]->setText(dest);
    window.show();
    QCoreApplication::processEvents();
    QSignalSpy ended(&window, &frmDirComp::jobEnded);
    QElapsedTimer timer;
    timer.start();
    window.cmdCompare->click();
    ended.wait(120000);
    window.grab(); // painted once with both lists
    const double total = timer.nsecsElapsed() / 1e9;
    std::printf("window: %d + %d rows in %.3f s; scan alone %.3f s, rows in listing order %.3f s: "
                "listed %.3f s after the scan (target < 1 s); grew %.1f MiB (target < 150)\n",
                window.SourceList().rowCount(), window.DestList().rowCount(), total, median(scans),
                median(rows), total - median(scans), PeakMemoryMiB() - before);
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    const int count = argc > 1 ? QByteArray(argv[1]).toInt() : 100000;
    const QString base = qEnvironmentVariable("TOLVANE_BENCH_DIR", QDir::tempPath());
    QTemporaryDir dir(base + QStringLiteral("/tolvane-bench-XXXXXX"));
    const QString source = dir.path() + QStringLiteral("/A");
    const QString dest = dir.path() + QStringLiteral("/B");
    QDir().mkpath(source);
    QDir().mkpath(dest);
    QElapsedTimer made;
    made.start();
    generate(source, dest, count);
    std::printf("2 x %d files made in %.1f s\n", count, made.nsecsElapsed() / 1e9);
    std::fflush(stdout);
    companionBesideRsync(source, dest);
    std::fflush(stdout);
    windowListing(source, dest);
    return 0;
}
