// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/frmMainMenus.h"

#include "browser/MainCommandTable.h"
#include "core/WindowUtil.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace {
using Kind = MainCommand::Kind;

// How the tool bar's buttons look; what they do is in the command table.
struct ButtonLook {
    const char* name;
    const char* tip;
    const char* theme;
    QStyle::StandardPixmap fallback;
};
const ButtonLook kButtons[] = {
    {"TB_Compare", "Ordner vergleichen", "view-split-left-right",
     QStyle::SP_FileDialogContentsView},
    {"TB_Rename", "Stapel-Umbenennen", "edit-rename", QStyle::SP_FileDialogDetailedView},
    {"TB_SlideShow", "SlideShow für den aktuellen Ordner", "media-playback-start",
     QStyle::SP_MediaPlay},
    {"TB_Icons", "Icons anzeigen", "image-x-generic", QStyle::SP_FileDialogListView},
    {"TB_Calc", "Rechner", "accessories-calculator", QStyle::SP_ComputerIcon},
};

const ButtonLook* LookOf(const QString& name)
{
    for (const ButtonLook& look : kButtons) {
        if (name == QLatin1String(look.name))
            return &look;
    }
    return nullptr;
}
} // namespace

frmMainMenus::frmMainMenus(QMainWindow* window, const MainCommandTable& table) : m_window(window)
{
    m_toolBar = window->addToolBar(QStringLiteral("TB"));
    m_toolBar->setObjectName(QStringLiteral("TB"));
    m_toolBar->setMovable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    // The bars have no menu of their own: the window's default one would
    // offer the tool bar's inner name and hide the bar for good.
    m_toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    window->menuBar()->setContextMenuPolicy(Qt::PreventContextMenu);
    Build(table);
    // The mask menu's fixed entries; the masks follow them (pPatterns).
    QMenu* masks = Menu(QStringLiteral("kMasks"));
    m_maskEntries.append(masks->addAction(QStringLiteral(" &Menü bearbeiten ...")));
    m_maskEntries.append(masks->addSeparator());
    m_maskEntries.append(masks->addAction(QStringLiteral("(Standard)")));
    for (int i = 0; i < m_maskEntries.size(); ++i)
        m_maskEntries[i]->setObjectName(QStringLiteral("kMasks_List_") + QString::number(i));
    if (QAction* restore = Entry(QStringLiteral("kTray_Restore"))) {
        QFont bold = restore->font();
        bold.setBold(true);
        restore->setFont(bold);
    }
}

QMenu* frmMainMenus::HolderMenu(const QString& parent)
{
    if (QMenu* menu = m_menus.value(parent))
        return menu;
    // A tool bar button with a drop-down holds its entries in a menu of its own.
    QAction* button = m_entries.value(parent);
    if (!button)
        return nullptr;
    auto* menu = new QMenu(m_window);
    menu->setObjectName(parent + QStringLiteral("_Menu"));
    button->setMenu(menu);
    if (auto* tool = qobject_cast<QToolButton*>(m_toolBar->widgetForAction(button)))
        tool->setPopupMode(QToolButton::MenuButtonPopup);
    m_menus.insert(parent, menu);
    return menu;
}

void frmMainMenus::Build(const MainCommandTable& table)
{
    for (const MainCommand& row : table.Rows()) {
        QAction* action = nullptr;
        if (row.parent == QLatin1String("TB")) {
            if (row.kind == Kind::Separator) {
                action = m_toolBar->addSeparator();
            } else {
                const ButtonLook* look = LookOf(row.name);
                const QIcon icon =
                    look ? QIcon::fromTheme(QLatin1String(look->theme),
                                            m_toolBar->style()->standardIcon(look->fallback))
                         : QIcon();
                action = m_toolBar->addAction(icon, row.caption);
                // Set explicitly, the button keeps the "&" as its access key (Alt+R).
                action->setIconText(row.caption);
                if (look)
                    action->setToolTip(QString::fromUtf8(look->tip));
            }
        } else if (row.kind == Kind::Menu) {
            auto* menu = new QMenu(row.caption, m_window);
            menu->setObjectName(row.name);
            if (row.parent == QLatin1String("MenuBar"))
                m_window->menuBar()->addMenu(menu);
            else if (QMenu* holder = HolderMenu(row.parent))
                holder->addMenu(menu);
            action = menu->menuAction();
            m_menus.insert(row.name, menu);
        } else if (QMenu* holder = HolderMenu(row.parent)) {
            if (row.kind == Kind::Separator) {
                action = holder->addSeparator();
            } else if (row.kind == Kind::List) {
                // A list is filled at run time; some start with a placeholder entry.
                if (!row.caption.isEmpty()) {
                    QAction* placeholder = holder->addAction(row.caption);
                    placeholder->setObjectName(row.name + QStringLiteral("_0"));
                    placeholder->setEnabled(false);
                    m_entries.insert(placeholder->objectName(), placeholder);
                }
                continue;
            } else {
                action = holder->addAction(row.caption);
                action->setCheckable(row.kind == Kind::Check);
            }
        }
        if (action) {
            action->setObjectName(row.name);
            m_entries.insert(row.name, action);
        }
    }
}

QAction* frmMainMenus::Entry(const QString& name) const
{
    if (QAction* action = m_entries.value(name))
        return action;
    return m_window->findChild<QAction*>(name);
}

QMenu* frmMainMenus::Menu(const QString& name) const
{
    return m_menus.value(name);
}

void frmMainMenus::Apply(const MainCommandTable& table, const ToolState& state, const QString& only)
{
    const QString prefix = only + QLatin1Char('_');
    QList<const MainCommand*> submenus;
    for (const MainCommand& row : table.Rows()) {
        if (!only.isEmpty() && !row.name.startsWith(prefix))
            continue;
        if (row.kind == Kind::List && row.place == MainCommand::Place::Context) {
            // A placeholder runs nothing. Only one made here: the mask list's
            // first entry (the editor) goes by the same name.
            if (QAction* placeholder = m_entries.value(row.name + QStringLiteral("_0")))
                placeholder->setVisible(false);
            continue;
        }
        QAction* action = Entry(row.name);
        if (!action || row.kind == Kind::Separator || row.kind == Kind::List)
            continue;
        if (row.kind == Kind::Menu) {
            if (row.place == MainCommand::Place::Context && !row.parent.isEmpty())
                submenus.append(&row);
            continue;
        }
        action->setVisible(row.Visible(state));
        action->setEnabled(row.Enabled(state));
    }
    // The deepest submenus first: a submenu shows when its rule holds and
    // one of its own entries is visible.
    for (auto it = submenus.crbegin(); it != submenus.crend(); ++it) {
        const MainCommand& row = **it;
        QAction* action = Entry(row.name);
        const bool hasEntries = TidyMenuSeparators(action->menu());
        action->setVisible(hasEntries && row.Visible(state));
        action->setEnabled(row.Enabled(state));
    }
    for (const MainCommand& row : table.Rows()) {
        if (row.kind == Kind::Menu && row.parent.isEmpty() && (only.isEmpty() || row.name == only))
            TidyMenuSeparators(Menu(row.name));
    }
}

bool frmMainMenus::Popup(const QString& name, const QPoint& globalPosition) const
{
    QMenu* menu = Menu(name);
    if (!menu || !TidyMenuSeparators(menu))
        return false;
    menu->popup(globalPosition);
    return true;
}
