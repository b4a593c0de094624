// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class MainCommandTable;

// The file properties and folder information windows of the context menus.
void AddPropertiesCommands(MainCommandTable& table);
