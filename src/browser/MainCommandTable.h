// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "browser/ToolState.h"

#include <QString>

#include <functional>
#include <initializer_list>
#include <vector>

class HandlerRunner;
class MainView;

// One call of a command: the window it acts through, the state it acts on
// (for the folder menu: the folder the menu was opened on) and, for an entry
// of a list (recent folders, masks), its index.
struct CommandCall {
    MainView& view;
    const ToolState& state;
    int index = 0;
};

using CommandHandler = std::function<void(const CommandCall&)>;
using CommandRule = std::function<bool(const ToolState&)>;

// One entry of the main window's menu bar, tool bar or context menus.
struct MainCommand {
    enum class Kind { Item, Check, Menu, Separator, List };
    enum class Place { MenuBar, ToolBar, Context };

    QString parent;  // "MenuBar", "TB" or the menu (or button) holding it; empty: a pop-up
    QString name;    // the entry's object name
    QString caption; // for a list: its placeholder entry, if any
    Kind kind = Kind::Item;
    Place place = Place::Context;
    CommandRule enabled;    // empty: always
    CommandRule visible;    // empty: always
    CommandHandler handler; // empty: its tool is not part of this build

    // What the entry shows for a state. A context menu entry whose tool is
    // missing is hidden; in the menu bar and the tool bar it is disabled.
    // A submenu also needs a visible entry of its own (the window checks).
    bool Visible(const ToolState& state) const;
    bool Enabled(const ToolState& state) const;
};

// The main window's entries in one place: where each sits, its caption,
// when it is offered, and what runs it. The window builds its menus from
// these rows and applies the rules to every entry whenever the folder, the
// file list or the selection changes.
//
// A tool joins by a registration function of its own that gives its rows
// a handler (and, where it knows better, rules):
//     table.SetHandler({"kDirBox_Rename", "kFileBox_Rename", "TB_Rename"}, OpenRename);
class MainCommandTable {
public:
    MainCommandTable();

    const std::vector<MainCommand>& Rows() const { return m_rows; }
    const MainCommand* Find(const QString& name) const;

    void SetHandler(std::initializer_list<const char*> names, const CommandHandler& handler);
    void SetRules(const char* name, const CommandRule& enabled, const CommandRule& visible);
    // Entries made at run time (a user menu's commands) bring rows of their own.
    void Add(MainCommand row);

    // Runs the entry's handler through the runner as "<name>_Click";
    // false when the entry has no handler.
    bool Run(const QString& name, HandlerRunner& runner, const CommandCall& call) const;

private:
    MainCommand* FindRow(const QString& name);
    MainCommand::Place PlaceOf(const QString& parent) const;

    std::vector<MainCommand> m_rows;
};
