// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// tolvane-cli regview: the key tree of a registry file as the viewer shows
// it, one line per key, and with --values each key's values.
int runRegViewCommand(const QStringList& args);

extern const char* const kRegViewCommandUsage;
