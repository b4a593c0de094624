// SPDX-License-Identifier: GPL-3.0-or-later
// Listing a large folder through file-dialog filters whose patterns overlap:
// every name is matched against every pattern and checked against the names
// already listed, so the check must not grow with the list.
#include "core/FileUtil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <sys/resource.h>

namespace {
constexpr int kFiles = 20000;

const QString& bigFolder()
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/tolvane-bench-XXXXXX"));
    static bool filled = false;
    if (!filled) {
        const char* const extensions[] = {"jpg", "JPG", "png", "txt", "bmp"};
        for (int i = 0; i < kFiles; ++i) {
            QFile file(dir.path() + QStringLiteral("/bild%1.%2")
                                        .arg(i, 5, 10, QLatin1Char('0'))
                                        .arg(QLatin1String(extensions[i % 5])));
            file.open(QIODevice::WriteOnly);
        }
        filled = true;
    }
    static const QString path = dir.path() + QLatin1Char('/');
    return path;
}

void FindFilesOverlappingPatterns(benchmark::State& state)
{
    const QString& folder = bigFolder();
    qint64 listed = 0;
    for (auto _ : state) {
        QStringList files;
        const qint32 count =
            FindFilesByMasks(folder, QStringLiteral("Bilder|*.jpg;*.png;*.bmp|Alle|*.*"), files);
        benchmark::DoNotOptimize(count);
        listed += count;
    }
    state.counters["files/s"] = benchmark::Counter(double(listed), benchmark::Counter::kIsRate);
}
BENCHMARK(FindFilesOverlappingPatterns)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory: %.1f MB\n", usage.ru_maxrss / 1024.0);
    return 0;
}
