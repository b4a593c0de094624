// SPDX-License-Identifier: GPL-3.0-or-later
// The settings store as the program uses it: single writes (each its own
// transaction), reads, and a .reg import and export of 10,000 values. Runs on a
// database in a temporary folder; prints peak memory at the end.
#include "core/RegFileReader.h"
#include "core/RegFileTransfer.h"
#include "core/RegFileWriter.h"
#include "core/Registry.h"
#include "platform/SettingsDatabase.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <sys/resource.h>

namespace {
void BM_SaveSettingString(benchmark::State& state)
{
    const Registry reg;
    qint64 i = 0;
    for (auto _ : state) {
        const bool ok =
            reg.RegSaveSettingString(HKEY_CURRENT_USER, QStringLiteral("Bench\\Write"),
                                     QStringLiteral("v%1").arg(i++ % 5000), QStringLiteral("text"));
        benchmark::DoNotOptimize(ok);
    }
    state.counters["writes_per_s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SaveSettingString)->Unit(benchmark::kMicrosecond);

void BM_GetSettingString(benchmark::State& state)
{
    const Registry reg;
    for (int i = 0; i < 1000; ++i)
        reg.RegSaveSettingString(HKEY_CURRENT_USER, QStringLiteral("Bench\\Read"),
                                 QStringLiteral("v%1").arg(i), QStringLiteral("text %1").arg(i));
    qint64 i = 0;
    for (auto _ : state) {
        const QString value =
            reg.RegGetSettingString(HKEY_CURRENT_USER, QStringLiteral("bench\\read"),
                                    QStringLiteral("V%1").arg(i++ % 1000));
        benchmark::DoNotOptimize(value);
    }
    state.counters["reads_per_s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_GetSettingString)->Unit(benchmark::kMicrosecond);

QByteArray bigRegFile()
{
    QString text = QStringLiteral("Windows Registry Editor Version 5.00\r\n");
    for (int k = 0; k < 100; ++k) {
        text += QStringLiteral("\r\n[HKEY_CURRENT_USER\\Bench\\Import\\Key %1]\r\n").arg(k);
        for (int v = 0; v < 100; ++v)
            text += QStringLiteral("\"Value %1\"=\"some text of a setting, number %2\"\r\n")
                        .arg(v)
                        .arg(k * 100 + v);
    }
    return RegFileWriter::utf16LeWithBom(text);
}

void BM_ImportExport10k(benchmark::State& state)
{
    const QByteArray file = bigRegFile();
    for (auto _ : state) {
        RegFileReader reader;
        QString error;
        if (!reader.read(file) || !RegFileTransfer::importDocument(reader.document(), error)) {
            state.SkipWithError("import failed");
            break;
        }
        const auto keys =
            RegFileTransfer::exportKey(HKEY_CURRENT_USER, QStringLiteral("Bench\\Import"));
        const auto text =
            RegFileWriter(RegFileFormat::Version5).text(*keys, QStringLiteral("\r\n"), error);
        benchmark::DoNotOptimize(text);
    }
    state.counters["values_per_s"] =
        benchmark::Counter(double(state.iterations()) * 10000, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ImportExport10k)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir dir;
    qputenv("TOLVANE_REGISTRY", (dir.path() + QStringLiteral("/registry.db")).toUtf8());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("journal: %s\n", SettingsDatabase::instance().usesWal() ? "WAL" : "rollback");
    SettingsDatabase::reopen();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory: %ld KiB\n", usage.ru_maxrss);
    return 0;
}
