// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <cmath>

// Window geometry has always been given in twips (1440 per inch): twips per
// pixel are 1440 / logical DPI, 15 at 96 dpi.
inline double TwipsPerPixel(const QWidget* widget)
{
    const int dpi = widget ? widget->logicalDpiX() : 96;
    return 1440.0 / (dpi > 0 ? dpi : 96);
}

inline int TwipsToPx(double twips, const QWidget* widget)
{
    return int(std::lround(twips / TwipsPerPixel(widget)));
}

inline int PxToTwips(double pixels, const QWidget* widget)
{
    return int(std::lround(pixels * TwipsPerPixel(widget)));
}
