// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class MainCommandTable;

// The main window's entries for the folder comparison: "&Ordner
// vergleichen" (Extras), the tool bar's "Vergleichen" and the folder menu's
// "Ordner &vergleichen", which first offers its folder as the source.
void AddDirCompCommands(MainCommandTable& table);
