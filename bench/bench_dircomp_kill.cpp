// SPDX-License-Identifier: GPL-3.0-or-later
// The kill test of the folder sync at full size: 2,000 files from 0 bytes to
// 8 MB (older, equal and newer versions, new and surplus files), 20 kills at
// seeded random moments, then one complete run. Prints each fault found;
// exit 1 when there was one. Size, kills and seed may be given as arguments.
#include "KillSyncCheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    KillSyncPlan plan;
    plan.files = argc > 1 ? QByteArray(argv[1]).toInt() : 2000;
    plan.largest = 8 * 1024 * 1024;
    plan.kills = argc > 2 ? QByteArray(argv[2]).toInt() : 20;
    plan.seed = argc > 3 ? QByteArray(argv[3]).toUInt() : 2024;
    const QString base = qEnvironmentVariable("TOLVANE_BENCH_DIR", QDir::tempPath());
    QTemporaryDir dir(base + QStringLiteral("/tolvane-bench-XXXXXX"));
    QElapsedTimer timer;
    timer.start();
    const KillSyncReport report = RunKillSyncCheck(
        QCoreApplication::applicationDirPath() + QStringLiteral("/tolvane-cli"), dir.path(), plan);
    std::printf("kill test: %d files, %.0f MB, %d of %d kills met a running sync, %lld faults, "
                "%.1f s\n",
                plan.files, double(report.bytes) / 1e6, report.killed, plan.kills,
                static_cast<long long>(report.faults.size()), timer.nsecsElapsed() / 1e9);
    for (const QString& fault : report.faults)
        std::printf("  %s\n", qPrintable(fault));
    return report.faults.isEmpty() ? 0 : 1;
}
