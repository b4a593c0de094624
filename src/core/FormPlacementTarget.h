// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

// What the window position memory needs of a window and its screen, in
// pixels. The windows' side implements it for a real top-level widget.
class FormPlacementTarget {
public:
    virtual ~FormPlacementTarget() = default;
    // The window's own rectangle (without the frame), in desktop coordinates.
    virtual QRect Geometry() const = 0;
    virtual bool IsMaximized() const = 0;
    virtual bool IsMinimized() const = 0;
    virtual void SetGeometry(const QRect& rect) = 0;
    virtual void ShowMaximized() = 0;
    virtual void ShowMinimized() = 0;
    // The whole desktop: the primary screen, or all screens together.
    virtual QRect Desktop() const = 0;
    // The screen the window is centred on.
    virtual QSize ScreenSize() const = 0;
    virtual double TwipsPerPixel() const = 0;
};
