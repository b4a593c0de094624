// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/SlideFit.h"

#include <algorithm>
#include <cmath>

QRect SlideFit(const QSize& inner, int stripHeight, const QSize& picture)
{
    const double A = inner.width();
    const double B = inner.height() - std::max(0, stripHeight);
    // A minimised window has no area: nothing to divide by.
    if (A <= 0 || B <= 0 || picture.width() <= 0 || picture.height() <= 0)
        return {};
    const double sx = picture.width() / A;
    const double sy = picture.height() / B;
    const double s = sx > sy ? sx : sy;
    const int width = std::max(1, int(std::lround(picture.width() / s)));
    const int height = std::max(1, int(std::lround(picture.height() / s)));
    const int left = sx >= sy ? 0 : (int(A) - width) / 2;
    return QRect(left, 0, width, height);
}

QSize SlideDecodeSize(const QSize& natural, const QSize& fitted, double devicePixelRatio)
{
    if (natural.isEmpty() || fitted.isEmpty())
        return natural;
    const double ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const double scale = std::min(1.0, std::min(fitted.width() * ratio / natural.width(),
                                                fitted.height() * ratio / natural.height()));
    return QSize(std::max(1, int(std::lround(natural.width() * scale))),
                 std::max(1, int(std::lround(natural.height() * scale))));
}
