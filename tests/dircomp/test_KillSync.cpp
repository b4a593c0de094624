// SPDX-License-Identifier: GPL-3.0-or-later
#include "KillSyncCheck.h"

#include "support/TempDir.h"
#include "support/TestText.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

// A killed sync leaves every file old or new, never half written, and the
// next run finishes the work and clears what the killed one left. The full
// size (2,000 files up to 8 MB, 20 kills) runs with the benchmarks.
TEST(KillSync, EveryKillLeavesOldOrNewFilesAndTheLastRunCompletes)
{
    TempDir dir;
    KillSyncPlan plan;
    const KillSyncReport report = RunKillSyncCheck(
        QCoreApplication::applicationDirPath() + u("/tolvane-cli"), dir.path(), plan);
    EXPECT_EQ(report.faults, QStringList());
    EXPECT_GT(report.killed, 0) << "no kill met a running sync";
}
