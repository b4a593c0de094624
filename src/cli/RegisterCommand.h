// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// `tolvane-cli register FILE...` and `unregister FILE...`: each file through
// Wine's regsvr32 as the window's command does, without its questions. Per
// file "'FILE' wurde erfolgreich registriert." on standard output, or on
// standard error "'FILE' konnte nicht erfolgreich registriert werden." with
// the reason on the next line. Exit 1 when any file failed.
int runRegisterCommand(const QStringList& args);
int runUnregisterCommand(const QStringList& args);

// `tolvane-cli dllcopy FILE [--yes]`: the versioned copy beside the file
// (NAME_VERSION.EXT); prints the copy's path. An existing file of that name is
// replaced only with --yes; without it, it stays and the exit code is 1.
int runDllCopyCommand(const QStringList& args);

extern const char* const kRegisterCommandUsage;
extern const char* const kUnregisterCommandUsage;
extern const char* const kDllCopyCommandUsage;
