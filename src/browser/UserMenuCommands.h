// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class MainCommandTable;

// The user's own commands below "Öffnen" > "Benutzerdefiniert", read from
// the settings once, when the main window is made.
void AddUserMenuCommands(MainCommandTable& table);
// Whether the table holds at least one of them.
bool HasUserMenuEntries(const MainCommandTable& table);
