// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// `tolvane-cli rename --run` killed with SIGKILL at random moments: after
// each kill the next `tolvane-cli rename` must leave every file (known by
// its contents) exactly once under its old or its new name, and
// `--undo --run` must bring back every old name. Every other round renames
// with cycles (names a1..aN numbered in listing order).
struct KillScenario {
    int files = 200;
    int kills = 4;
    QString cli; // the tolvane-cli to run

    // What went wrong, one line each; empty when every round held.
    QStringList Run() const;
};
