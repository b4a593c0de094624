// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class MainCommandTable;

// The main window's entry for the registry file viewer: "&RegView" in the
// file list's "&Öffnen" menu, for a .reg file (any case of the extension;
// Wine's system.reg, user.reg and userdef.reg are such files), opens the
// viewer for the current file modally and unloads it afterwards.
void AddRegViewCommands(MainCommandTable& table);
