// SPDX-License-Identifier: GPL-3.0-or-later
// The registry file viewer on generated 100 MB exports: REGEDIT4 (8-bit) of
// about a million keys, and version 5.00 in UTF-16LE with its mark. Each file
// is opened in the window, offscreen, in a child process of its own, which
// prints:
//   - the time from the start of the load to the first key selected and
//     painted (target: under 4 s);
//   - the growth of memory, peak (VmHWM) after less resident (VmRSS)
//     before, as a multiple of the file size (target: under 8);
//   - the longest time the window did not answer events during the load,
//     which is how long Escape could wait (target: under 0.3 s);
//   - expanding the key of 100,000 sub-keys (target: under 0.3 s) and
//     listing the key of 10,000 values (target: under 0.2 s), each painted.
// --keep DIR leaves the generated files there; --open FILE opens one file.
#include "BenchFigures.h"
#include "RegExportWriter.h"
#include "regview/RegKeyModel.h"
#include "regview/RegValueModel.h"
#include "regview/frmRegView.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <cstdio>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace {
constexpr qint64 kFileSize = 100 * 1000 * 1000;
constexpr int kSubKeys = 100000;
constexpr int kValues = 10000;

// The keys of a class registration, as an export of HKEY_LOCAL_MACHINE holds
// them by the ten thousand: most keys hold a short value or none, some a
// binary value over two lines.
QString classKeys(BenchRandom& rng, int n)
{
    const QString clsid = QStringLiteral("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{%1-1D2E-"
                                         "4F3A-9B6C-%2}")
                              .arg(n, 8, 16, QLatin1Char('0'))
                              .arg(rng.next(1u << 31), 12, 16, QLatin1Char('0'));
    QString s = clsid + QStringLiteral("]\r\n@=\"Komponente %1\"\r\n\r\n").arg(n);
    s += clsid + QStringLiteral("\\InprocServer32]\r\n@=\"k%1.dll\"\r\n\r\n").arg(n);
    s += clsid + QStringLiteral("\\Implemented Categories]\r\n\r\n");
    s += clsid + QStringLiteral("\\Implemented Categories\\{7DD95801}]\r\n\r\n");
    s += clsid + QStringLiteral("\\ProgID]\r\n@=\"K.%1\"\r\n\r\n").arg(n);
    if (rng.next(10) < 2) {
        s += clsid + QStringLiteral("\\Daten]\r\n\"Flags\"=dword:%1\r\n\"Blob\"=hex:01,00,04,80,"
                                    "14,00,\\\r\n  00,00,02,00,38,00\r\n\r\n")
                         .arg(rng.next(1 << 16), 8, 16, QLatin1Char('0'));
    }
    return s;
}

void writeExport(const QString& path, bool utf16)
{
    QString s = QStringLiteral("[HKEY_LOCAL_MACHINE\\SOFTWARE]\r\n\r\n");
    s += QStringLiteral("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Viele]\r\n\r\n");
    for (int i = 0; i < kSubKeys; ++i)
        s += QStringLiteral("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Viele\\Schlüssel %1]\r\n\"Nr\"=dword:"
                            "%2\r\n\r\n")
                 .arg(i, 6, 10, QLatin1Char('0'))
                 .arg(i, 8, 16, QLatin1Char('0'));
    s += QStringLiteral("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Werte]\r\n");
    for (int i = 0; i < kValues; ++i)
        s += QStringLiteral("\"Wert %1\"=\"Grüße Nummer %1\"\r\n").arg(i);
    s += QStringLiteral("\r\n");
    WriteRegExport(path, utf16, kFileSize, 7, s, classKeys);
}

double statusMiB(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').front().toDouble() / 1024.0;
    }
    return 0;
}

// Wall seconds of the step; `cpu` gets its processor seconds, which a busy
// machine does not inflate.
double secondsOf(const std::function<void()>& step, double* cpu = nullptr)
{
    const double cpuBefore = CpuSeconds();
    QElapsedTimer timer;
    timer.start();
    step();
    if (cpu)
        *cpu = CpuSeconds() - cpuBefore;
    return double(timer.nsecsElapsed()) / 1e9;
}

int openFile(int argc, char** argv, const QString& path)
{
    QApplication app(argc, argv);
    frmRegView window;
    window.resize(1000, 700);
    window.show();
    QCoreApplication::processEvents();
    const double before = statusMiB("VmRSS:");
    // The longest stretch without events during the load.
    QElapsedTimer sinceTick;
    double longestGap = 0;
    QTimer tick;
    tick.setInterval(5);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, double(sinceTick.nsecsElapsed()) / 1e9);
        sinceTick.restart();
    });
    window.Start(path);
    window.Timer1->stop();
    double loadCpu = 0;
    const double load = secondsOf(
        [&] {
            sinceTick.start();
            tick.start();
            window.OpenCNF();
            tick.stop();
            longestGap = std::max(longestGap, double(sinceTick.nsecsElapsed()) / 1e9);
            window.TV->viewport()->repaint();
        },
        &loadCpu);
    RegKeyModel* keys = window.Keys();
    if (!keys)
        return 1;
    const QModelIndex top = keys->index(0, 0);
    const QModelIndex many = keys->index(0, 0, top);
    const QModelIndex values = keys->index(1, 0, top);
    const double expand = secondsOf([&] {
        window.TV->expand(many);
        window.TV->viewport()->repaint();
    });
    const double list = secondsOf([&] {
        window.TV->setCurrentIndex(values);
        window.LV->viewport()->repaint();
    });
    const double fileMiB = double(QFile(path).size()) / (1024.0 * 1024.0);
    const double growth = statusMiB("VmHWM:") - before;
    std::printf("%s\n  %.1f MB, %d top-level keys, %d sub-keys below \"%s\", %d values in \"%s\"\n"
                "  load to first key painted %6.2f s, %.2f s processor time (target < 4 s)\n"
                "  memory growth        %6.0f MiB = %.1f x file (target < 8)\n"
                "  longest without events %6.3f s   (target < 0.3 s)\n"
                "  expand 100,000 sub-keys %6.3f s   (target < 0.3 s)\n"
                "  list 10,000 values   %6.3f s   (target < 0.2 s)\n",
                qPrintable(path), fileMiB * 1.048576, keys->rowCount(), keys->rowCount(many),
                qPrintable(many.data().toString()), window.Values()->rowCount(),
                qPrintable(values.data().toString()), load, loadCpu, growth, growth / fileMiB,
                longestGap, expand, list);
    std::fflush(stdout);
    return 0;
}

void openInChild(int argc, char** argv, const QString& path)
{
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0)
        _exit(openFile(argc, argv, path));
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::printf("%s: the viewer failed\n", qPrintable(path));
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    if (argc == 3 && qstrcmp(argv[1], "--open") == 0)
        return openFile(1, argv, QString::fromLocal8Bit(argv[2]));
    const bool keep = argc == 3 && qstrcmp(argv[1], "--keep") == 0;
    QTemporaryDir dir((keep ? QString::fromLocal8Bit(argv[2]) : QDir::tempPath()) +
                      QStringLiteral("/tolvane-regview-XXXXXX"));
    dir.setAutoRemove(!keep);
    const QString ansi = dir.filePath(QStringLiteral("export-regedit4.reg"));
    const QString wide = dir.filePath(QStringLiteral("export-utf16le.reg"));
    writeExport(ansi, false);
    writeExport(wide, true);
    openInChild(1, argv, ansi);
    openInChild(1, argv, wide);
    return 0;
}
