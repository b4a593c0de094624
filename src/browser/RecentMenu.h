// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class cuRecentFiles;
class QMenu;

// Mirrors a recent list in a submenu: one entry per path, "&1 " and the
// shortened text, newest first. Choosing an entry reports its position.
class RecentMenu : public QObject {
    Q_OBJECT
public:
    RecentMenu(cuRecentFiles* list, QMenu* menu, QObject* parent = nullptr);
    void Rebuild();

Q_SIGNALS:
    void Chosen(int index); // 1-based

private:
    cuRecentFiles* m_list;
    QMenu* m_menu;
};
