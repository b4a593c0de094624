// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class MainCommandTable;

// The batch rename entries of the folder menu, the file menu and the tool
// bar: each opens the rename window for the folder, the mask and the
// current file, and the file list is read again once files were renamed.
void AddRenameCommands(MainCommandTable& table);
