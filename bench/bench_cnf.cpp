// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a 100 MB registry export into the CNF model, 8-bit (Windows-1252)
// and UTF-16LE with BOM, as name=value lines and with whole key lines (the
// registry viewer's way): seconds, lines per second and peak memory. Each
// read runs in a child process of its own so that its peak memory is its
// own. Google Benchmark then times the smaller steps.
#include "BenchFigures.h"
#include "RegExportWriter.h"
#include "cnf/CNFFile.h"
#include "cnf/CNFSeal.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
constexpr qint64 kFileSize = 100 * 1000 * 1000;

// One exported key: a few values, sometimes a binary value running over
// continuation lines, then an empty line, as regedit writes them.
QString exportSection(BenchRandom& rng, int n)
{
    QString s = QStringLiteral("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{%1-4A2B-11D3-"
                               "9B6C-00C04F79%2}\\InprocServer32]\r\n")
                    .arg(n, 8, 16, QLatin1Char('0'))
                    .arg(rng.next(65536), 4, 16, QLatin1Char('0'));
    s += QStringLiteral("@=\"C:\\\\Programme\\\\Gemeinsame Dateien\\\\Komponente%1.dll\"\r\n")
             .arg(n);
    const int values = int(rng.next(5));
    for (int v = 0; v < values; ++v)
        s += QStringLiteral("\"Wert%1\"=\"Grüße für Schlüssel %2, Eintrag %1\"\r\n").arg(v).arg(n);
    s += QStringLiteral("\"Flags\"=dword:%1\r\n").arg(rng.next(1 << 16), 8, 16, QLatin1Char('0'));
    if (rng.next(10) < 3) {
        s += QStringLiteral(
            "\"Daten\"=hex:01,00,04,80,14,00,00,00,30,00,00,00,00,00,00,00,4c,00,\\\r\n");
        const int more = 1 + int(rng.next(8));
        for (int l = 0; l < more; ++l)
            s += QStringLiteral("  00,00,02,00,38,00,02,00,00,00,00,00,14,00,1f,00,0f,00,01,01,00,"
                                "00,00,00,00,\\\r\n");
        s += QStringLiteral("  05,12,00,00,00\r\n");
    }
    s += QStringLiteral("\r\n");
    return s;
}

void writeExport(const QString& path, bool utf16)
{
    WriteRegExport(path, utf16, kFileSize, 42, {}, exportSection);
}

void readInChild(int argc, char** argv, const QString& path, const QByteArray& label,
                 bool wholeKeyLines)
{
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        QCoreApplication app(argc, argv);
        const double before = PeakMemoryMiB();
        CNFFile doc;
        doc.RemoveComments = false;
        doc.WholeKeyLines = wholeKeyLines;
        QElapsedTimer timer;
        const double cpuBefore = CpuSeconds();
        timer.start();
        const CNFSections& sections = doc.FileRead(path);
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        const double cpu = CpuSeconds() - cpuBefore;
        qint64 keys = 0;
        for (const CNFSection& section : sections)
            keys += section.Keys().Count();
        const double fileMb = double(QFile(path).size()) / 1e6;
        const double lines = double(sections.Count() + keys);
        std::printf("%-40s %6.1f MB  %5.2f s (%5.2f s cpu)  %8.0f lines/s  %7d sections  %8lld "
                    "keys  peak %4.0f MB (%.1f x file, %.0f MB before reading)\n",
                    label.constData(), fileMb, seconds, cpu, lines / seconds, sections.Count(),
                    static_cast<long long>(keys), PeakMemoryMiB(),
                    PeakMemoryMiB() * 1.048576 / fileMb, before);
        std::fflush(stdout);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::printf("%s: read failed\n", label.constData());
}

QByteArray smallExport()
{
    BenchRandom rng(42);
    QString text = QStringLiteral("REGEDIT4\r\n\r\n");
    for (int n = 0; text.size() < 1 << 20; ++n)
        text += exportSection(rng, n);
    return text.toUtf8();
}

void BM_BufferRead1MB(benchmark::State& state)
{
    const QByteArray bytes = smallExport();
    for (auto _ : state) {
        CNFFile doc;
        doc.SetEventPump({});
        benchmark::DoNotOptimize(doc.BufferRead(bytes).Count());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_BufferRead1MB)->Unit(benchmark::kMillisecond);

void BM_GetText1MB(benchmark::State& state)
{
    CNFFile doc;
    doc.BufferRead(smallExport());
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.GetText().size());
}
BENCHMARK(BM_GetText1MB)->Unit(benchmark::kMillisecond);

void BM_Seal1MB(benchmark::State& state)
{
    const QByteArray bytes = smallExport();
    for (auto _ : state)
        benchmark::DoNotOptimize(CNFSeal::Seal(bytes, "Kennwort").size());
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_Seal1MB)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    // --keep DIR leaves the generated exports there (for profiling a read
    // with --read FILE or --read-whole FILE, which read one file, with
    // name=value lines or whole key lines, and nothing else).
    const bool whole = argc == 3 && qstrcmp(argv[1], "--read-whole") == 0;
    if (argc == 3 && (whole || qstrcmp(argv[1], "--read") == 0)) {
        readInChild(1, argv, QString::fromLocal8Bit(argv[2]), argv[2], whole);
        return 0;
    }
    const bool keep = argc >= 3 && qstrcmp(argv[1], "--keep") == 0;
    QTemporaryDir dir((keep ? QString::fromLocal8Bit(argv[2]) : QDir::tempPath()) +
                      QStringLiteral("/tolvane-bench-XXXXXX"));
    dir.setAutoRemove(!keep);
    if (keep) {
        argc = 1;
        std::printf("exports in %s\n", qPrintable(dir.path()));
    }
    const QString ansi = dir.filePath(QStringLiteral("export-1252.reg"));
    const QString wide = dir.filePath(QStringLiteral("export-utf16le.reg"));
    writeExport(ansi, false);
    writeExport(wide, true);
    readInChild(argc, argv, ansi, "FileRead 8-bit (1252)", false);
    readInChild(argc, argv, ansi, "FileRead 8-bit, whole key lines", true);
    readInChild(argc, argv, wide, "FileRead UTF-16LE with BOM", false);
    readInChild(argc, argv, wide, "FileRead UTF-16LE, whole key lines", true);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
