// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// `tolvane-cli rename FOLDER|--stdin [OPTIONS]`: the batch rename check of a
// folder (or of names read from standard input), one line per listed file
// "old<TAB>new<TAB>status"; with --run the renaming itself, with --undo the
// undoing of the last run. Exit 0 fine, 1 problems or stopped, 2 wrong
// call, 130 after SIGINT or SIGTERM.
int runRenameCommand(const QStringList& args);

extern const char* const kRenameCommandUsage;
