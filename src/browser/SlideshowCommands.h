// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class MainCommandTable;

// The main window's entries for pictures: the slideshow of the current
// folder (folder menu, tool bar) and the picture view of one file (file
// menu, preview menu). Both open a window of their own, without owner.
void AddSlideshowCommands(MainCommandTable& table);
