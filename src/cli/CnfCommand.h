// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// tolvane-cli cnf: shows a CNF document as the reader sees it, and seals or
// opens a file with a password.
int runCnfCommand(const QStringList& args);

extern const char* const kCnfCommandUsage;
