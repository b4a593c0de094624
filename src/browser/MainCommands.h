// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class MainCommandTable;

// Gives the main window's entries their handlers: the browser's own and
// those of every tool that is part of the build. A new tool adds one
// registration call here (and its registration function beside its rows).
void AddMainCommands(MainCommandTable& table);

// Opens an address in the desktop's browser; empty on success, else the
// German failure text.
QString ShellOpenUrl(const QString& target);
