// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// tolvane-cli settings export [--regedit4] [KEY] [FILE]
// tolvane-cli settings import FILE
//
// Export writes a .reg file: to FILE as regedit does (version 5.00 in UTF-16LE
// with BOM and CRLF line ends; with --regedit4, REGEDIT4 in UTF-8), or, without
// FILE or with "-", to standard output as UTF-8 text with "\n" line ends,
// which a terminal shows and import reads back. KEY is a full key path
// beginning with its root (HKEY_CURRENT_USER\... or HKCU\...); without KEY the
// whole store is written. Import applies a .reg file in one transaction: on
// the first bad line it names the line on standard error, exits with 1, and
// changes nothing.
int runSettingsCommand(const QStringList& args);

extern const char* const kSettingsCommandUsage;
