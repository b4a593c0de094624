// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

// Asks for a context menu the ways a user does: the right mouse button
// released over `area`, or the Menu key or Shift+F10 while `target` has the
// focus. From the keyboard the menu opens at the current entry of a list,
// else in the middle of the control.
class MenuTrigger : public QObject {
    Q_OBJECT
public:
    MenuTrigger(QWidget* target, QWidget* area);

Q_SIGNALS:
    void Requested(const QPoint& globalPosition);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPoint KeyboardPosition() const;

    QWidget* m_target;
    QWidget* m_area;
};
