// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRectF>

// Where a picture of natural size w x h goes in a thumbnail of W x H: fitted
// with its aspect ratio kept and centred (the bands beside it filled with the
// back colour), or stretched over the whole area.
struct ThumbNailLayout {
    bool drawPicture = false;
    QRectF picture;
    QList<QRectF> bands;

    static ThumbNailLayout Compute(int W, int H, int w, int h, bool stretch);
};
