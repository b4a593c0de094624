// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QImage>

#include <optional>

// What an icon image's own header says about it. Directories of icon files
// and icon groups carry the same facts but often wrongly (a bit count of 0,
// a height of 0 meaning 256), so only the image header is trusted.
struct IconImageInfo {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    bool png = false;
};

// One image of an icon: a device-independent bitmap followed by its AND mask
// (the header's height counts both), or a PNG stream. Images need not be
// square; sides above MaxSide are refused. Icons usually go up to 256 pixels,
// but programs carry larger pictures in icon groups too.
class IconImage {
public:
    static constexpr int MaxSide = 1024;

    // The header facts; nullopt when the bytes are no icon image we can read.
    // `directoryHeight` (0 when unknown) helps decide whether the bitmap
    // height is doubled for the mask.
    static std::optional<IconImageInfo> probe(QByteArrayView bytes, int directoryHeight = 0);
    // The image with its transparency (ARGB32); a null image on failure.
    static QImage decode(QByteArrayView bytes, int directoryHeight = 0);

private:
    static QImage decodePng(QByteArrayView bytes);
};
