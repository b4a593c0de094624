// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/ThumbNailLayout.h"

#include <cmath>

namespace {
// The offset of the picture: the free space rounded half to even (as the
// offsets were always computed), then halved with the fraction dropped.
int HalfOffset(double freeSpace)
{
    return int(std::nearbyint(freeSpace)) / 2;
}
} // namespace

ThumbNailLayout ThumbNailLayout::Compute(int W, int H, int w, int h, bool stretch)
{
    ThumbNailLayout layout;
    if (W <= 0 || H <= 0)
        return layout;
    if (stretch) {
        layout.drawPicture = w > 0 && h > 0;
        layout.picture = QRectF(0, 0, W, H);
        return layout;
    }
    // A picture without area (either side 0) cannot be fitted: nothing is drawn.
    if (w <= 0 || h <= 0)
        return layout;

    const double boxRatio = double(W) / H;
    const double pictureRatio = double(w) / h;
    double drawnWidth = 0;
    double drawnHeight = 0;
    int left = 0;
    int top = 0;
    if (pictureRatio <= boxRatio) {
        drawnHeight = H;
        drawnWidth = w / (double(h) / H);
        left = HalfOffset(W - drawnWidth);
    } else {
        drawnWidth = W;
        drawnHeight = h / (double(w) / W);
        top = HalfOffset(H - drawnHeight);
    }
    if (left != 0) {
        layout.bands.append(QRectF(QPointF(0, 0), QPointF(left, H)));
        layout.bands.append(QRectF(QPointF(drawnWidth + left, 0), QPointF(W, H)));
    } else if (top != 0) {
        layout.bands.append(QRectF(QPointF(0, 0), QPointF(W, top)));
        layout.bands.append(QRectF(QPointF(0, drawnHeight + top), QPointF(W, H)));
    }
    layout.drawPicture = true;
    layout.picture = QRectF(left, top, drawnWidth, drawnHeight);
    return layout;
}
