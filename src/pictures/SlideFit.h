// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QSize>

// Where the slideshow puts a picture of natural size `picture` (after its
// own orientation) in a window whose inner size is `inner`, with a status
// strip of `stripHeight` along the bottom (0 when hidden): as large as fits,
// enlarged or reduced, aspect kept, at the top edge and centred across.
// Empty while there is no room or the picture has no area.
QRect SlideFit(const QSize& inner, int stripHeight, const QSize& picture);

// The size to decode a picture at so that it fills `fitted` on a screen of
// `devicePixelRatio`: never above its natural size (small ones are enlarged
// when painted).
QSize SlideDecodeSize(const QSize& natural, const QSize& fitted, double devicePixelRatio);
