// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/Tray.h"

#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QWidget>

Tray::Tray(QObject* parent) : QObject(parent), m_toolTip(QApplication::applicationDisplayName()) {}

Tray::~Tray()
{
    RemoveFromTray();
}

bool Tray::Available()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void Tray::SetToolTipText(const QString& text)
{
    m_toolTip = text;
    if (m_icon && m_inTray)
        m_icon->setToolTip(text);
}

QIcon Tray::CurrentIcon() const
{
    if (!m_picture.isNull())
        return m_picture;
    if (m_form && !m_form->windowIcon().isNull())
        return m_form->windowIcon();
    return QApplication::windowIcon();
}

void Tray::ShowInTray()
{
    if (!m_icon) {
        m_icon = new QSystemTrayIcon(this);
        connect(m_icon, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    switch (reason) {
                    case QSystemTrayIcon::DoubleClick:
                    // Many Linux notification areas report a single click as the
                    // activation and never a double click: it restores as well.
                    case QSystemTrayIcon::Trigger:
                        Q_EMIT DblClick();
                        break;
                    case QSystemTrayIcon::Context:
                        Q_EMIT MouseUp(2);
                        break;
                    default:
                        break;
                    }
                });
    }
    m_icon->setIcon(CurrentIcon());
    m_icon->setToolTip(m_toolTip);
    m_icon->setContextMenu(m_menu);
    m_icon->show();
    m_inTray = true;
}

void Tray::RemoveFromTray()
{
    if (m_icon)
        m_icon->hide();
    m_inTray = false;
}
