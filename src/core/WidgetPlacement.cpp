// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/WidgetPlacement.h"

#include "core/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

QRect WidgetPlacement::Geometry() const
{
    // A window shown maximized keeps its normal rectangle apart.
    return m_window->isMaximized() || m_window->isMinimized() ? m_window->normalGeometry()
                                                              : m_window->geometry();
}

bool WidgetPlacement::IsMaximized() const
{
    return m_window->windowState().testFlag(Qt::WindowMaximized);
}

bool WidgetPlacement::IsMinimized() const
{
    return m_window->windowState().testFlag(Qt::WindowMinimized);
}

void WidgetPlacement::SetGeometry(const QRect& rect)
{
    m_window->setGeometry(rect);
}

void WidgetPlacement::ShowMaximized()
{
    m_window->setWindowState(m_window->windowState() | Qt::WindowMaximized);
}

void WidgetPlacement::ShowMinimized()
{
    m_window->setWindowState(m_window->windowState() | Qt::WindowMinimized);
}

QRect WidgetPlacement::Desktop() const
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return QRect(0, 0, 1024, 768);
    return screens.size() < 2 ? primary->geometry() : primary->virtualGeometry();
}

QSize WidgetPlacement::ScreenSize() const
{
    QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? primary->size() : QSize(1024, 768);
}

double WidgetPlacement::TwipsPerPixel() const
{
    return ::TwipsPerPixel(m_window);
}
