// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class MainCommandTable;
struct ToolPredicates;

// The main window's commands for the file tools: the dates of files and of
// a folder, registering and unregistering components, and the versioned
// library copy.
void AddFileToolCommands(MainCommandTable& table);
// The registration's answer to which files it takes ("ActiveX" is read once
// here).
void AddFileToolPredicates(ToolPredicates& predicates);
