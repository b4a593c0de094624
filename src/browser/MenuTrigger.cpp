// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/MenuTrigger.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QMouseEvent>

MenuTrigger::MenuTrigger(QWidget* target, QWidget* area)
    : QObject(target), m_target(target), m_area(area)
{
    // The menus open on release, as they always have; the press must not
    // open the platform's own menu first.
    target->setContextMenuPolicy(Qt::PreventContextMenu);
    target->installEventFilter(this);
    if (area != target)
        area->installEventFilter(this);
}

bool MenuTrigger::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_area && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton)
            Q_EMIT Requested(mouse->globalPosition().toPoint());
    }
    if (watched == m_target && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool menuKey = key->key() == Qt::Key_Menu && key->modifiers() == Qt::NoModifier;
        const bool shiftF10 = key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier;
        if (menuKey || shiftF10) {
            Q_EMIT Requested(KeyboardPosition());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

QPoint MenuTrigger::KeyboardPosition() const
{
    if (const auto* view = qobject_cast<const QAbstractItemView*>(m_target)) {
        const QRect rect = view->visualRect(view->currentIndex());
        if (rect.isValid() && view->viewport()->rect().intersects(rect))
            return view->viewport()->mapToGlobal(rect.center());
    }
    return m_target->mapToGlobal(m_target->rect().center());
}
