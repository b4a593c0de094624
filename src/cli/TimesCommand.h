// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// `tolvane-cli times --mode 0|1|2|3 (--set TEXT | --reset) PATH...`: sets the
// chosen time of files and folders as the date window does (0 birth time,
// which Linux cannot set; 1 last access; 2 last write; 3 both of those). Each
// path left unchanged is named on standard error with the reason; then the
// count of changed paths ("N Dateien wurden geändert.", for mode 3 with the
// note that the birth time stays) on standard output. Exit 1 when any path
// stayed unchanged, 2 for a wrong call (an unreadable date included).
int runTimesCommand(const QStringList& args);

extern const char* const kTimesCommandUsage;
