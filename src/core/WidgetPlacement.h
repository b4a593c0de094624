// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/FormPlacementTarget.h"

class QWidget;

// The window position memory's view of a real top-level window.
class WidgetPlacement : public FormPlacementTarget {
public:
    explicit WidgetPlacement(QWidget* window) : m_window(window) {}

    QRect Geometry() const override;
    bool IsMaximized() const override;
    bool IsMinimized() const override;
    void SetGeometry(const QRect& rect) override;
    void ShowMaximized() override;
    void ShowMinimized() override;
    QRect Desktop() const override;
    QSize ScreenSize() const override;
    double TwipsPerPixel() const override;

private:
    QWidget* m_window;
};
