// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// `tolvane-cli compare SOURCE DEST [--diff-only] [--sync ACTIONS]`: the
// folder comparison without a window. One line per listed file, source
// files first, each group in byte order of the names:
//     source<TAB>Differs|Same<TAB>NAME
//     dest<TAB>Same|Extra<TAB>NAME
// --diff-only leaves out the Same lines. --sync takes a comma list of
// delete-same, copy and delete-extra and runs them (always in that order,
// without asking); then one line per item, by name within each step:
//     deleted-source<TAB>NAME, copied<TAB>NAME, deleted-dest<TAB>NAME,
//     skipped<TAB>changed|content|conflict|blocked<TAB>NAME
// Exit 0 done, 1 failure (German message on standard error), 2 wrong call,
// 3 done with skipped items. NAME is printed as EscapeName prints it
// (rename/NameEscape.h), the same as the rename command's names.
int runCompareCommand(const QStringList& args);

extern const char* const kCompareCommandUsage;
