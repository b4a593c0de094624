// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QList>
#include <QString>

class MainCommandTable;
class QAction;
class QMainWindow;
class QMenu;
class QPoint;
class QToolBar;
struct ToolState;

// The main window's menu bar, tool bar and context menus, built from the
// command table and named as its rows are. Keeps every entry in view of the
// rules: Apply sets each entry's visibility and availability for a state.
class frmMainMenus {
public:
    frmMainMenus(QMainWindow* window, const MainCommandTable& table);

    // An entry by name; a submenu answers with its menu's action. Entries
    // made later (by a tool) are found as well.
    QAction* Entry(const QString& name) const;
    QMenu* Menu(const QString& name) const;
    QToolBar* ToolBar() const { return m_toolBar; }
    // 0 edit, 1 separator, 2 "(Standard)", 3.. the masks
    QList<QAction*>& MaskEntries() { return m_maskEntries; }

    // Applies the rules of every row (or only of the rows of one pop-up
    // menu) to its entry. Separators of context menus are tidied.
    void Apply(const MainCommandTable& table, const ToolState& state, const QString& only = {});
    // Shows a pop-up menu when it has a visible entry; false when it has none.
    bool Popup(const QString& name, const QPoint& globalPosition) const;

private:
    void Build(const MainCommandTable& table);
    QMenu* HolderMenu(const QString& parent);

    QMainWindow* m_window;
    QToolBar* m_toolBar = nullptr;
    QHash<QString, QAction*> m_entries;
    QHash<QString, QMenu*> m_menus;
    QList<QAction*> m_maskEntries;
};
