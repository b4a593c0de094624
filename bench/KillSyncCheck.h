// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Kills `tolvane-cli compare --sync delete-same,copy,delete-extra` at seeded
// random moments of a sync (the n-th change it makes to either folder: a
// file created, written, renamed or deleted) and checks after each kill that every
// destination file holds its old content or the complete new one (with the
// source's time and permission bits) and that every source file still
// exists unless that run's comparison classed it Same; then one run to the
// end, after which the destination is exactly as expected and holds no
// leftovers: exactly what one complete run makes of the state it starts
// from. Small in the test suite, full size as a benchmark.
struct KillSyncPlan {
    int files = 60;
    qint64 largest = 256 * 1024; // sizes run from 0 bytes to this
    int kills = 4;
    quint32 seed = 14;
};

struct KillSyncReport {
    QStringList faults; // empty when every check held
    int killed = 0;     // runs that the kill ended (the others finished first)
    qint64 bytes = 0;   // of both folders at the start
};

KillSyncReport RunKillSyncCheck(const QString& cli, const QString& folder,
                                const KillSyncPlan& plan);
