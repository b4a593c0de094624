// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/RecentMenu.h"

#include "core/cuRecentFiles.h"

#include <QMenu>

RecentMenu::RecentMenu(cuRecentFiles* list, QMenu* menu, QObject* parent)
    : QObject(parent), m_list(list), m_menu(menu)
{
    connect(list, &cuRecentFiles::Refreshed, this, &RecentMenu::Rebuild);
    Rebuild();
}

void RecentMenu::Rebuild()
{
    m_menu->clear();
    for (qint32 i = 1; i <= m_list->Count(); ++i) {
        const cuRecentFile& entry = m_list->Item(i);
        QString text = entry.ShortPathString;
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action =
            m_menu->addAction(QLatin1Char('&') + QString::number(i) + QLatin1Char(' ') + text);
        action->setObjectName(m_menu->objectName() + QStringLiteral("_List_") + QString::number(i));
        action->setToolTip(entry.FullPath);
        connect(action, &QAction::triggered, this, [this, i] { Q_EMIT Chosen(i); });
    }
    // An empty list leaves nothing to choose: the submenu is greyed.
    m_menu->menuAction()->setEnabled(m_list->Count() > 0);
}
