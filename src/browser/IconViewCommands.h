// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class MainCommandTable;

// The icon viewer from the folder menu and the tool bar.
void AddIconViewCommands(MainCommandTable& table);
