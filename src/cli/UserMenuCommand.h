// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// `tolvane-cli usermenu list [FILE]`: one line per entry of the user file
// menu, in menu order: caption, command line and mask, tab-separated, as
// stored. With FILE a fourth field "Ja" or "Nein" says whether the entry is
// offered for it; when the command line holds "%1", the arguments it would
// start follow, one a line, each after a tab (the program first).
// `tolvane-cli usermenu run CAPTION FILE`: starts the entry on FILE as the
// menu does. Errors in German on standard error; exit 1 on failure, 2 for a
// wrong call.
int runUserMenuCommand(const QStringList& args);

extern const char* const kUserMenuCommandUsage;
