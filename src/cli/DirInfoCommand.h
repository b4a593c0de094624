// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// `tolvane-cli dirinfo DIR [--progress]`: the totals of everything below the
// folder, one "label<TAB>number" a line; with --progress the running figures
// go to standard error about ten times a second.
int runDirInfoCommand(const QStringList& args);

extern const char* const kDirInfoCommandUsage;
