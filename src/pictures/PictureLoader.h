// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// A picture as the thumbnail holds it: decoded no larger than it is shown,
// with the natural size (after the file's own orientation) kept for the layout.
struct LoadedPicture {
    QImage image;
    QSize naturalSize;
    QString path;

    bool isNull() const { return image.isNull(); }
    // True when the decoded image is too small to show at `shownSize` sharply.
    bool NeedsLargerDecode(const QSize& shownSize) const;
};

class PictureLoader {
public:
    // Decodes the file; with a valid `shownSize` a larger picture is decoded
    // scaled down (JPEG decodes at a fraction of its size directly), so a
    // 50-megapixel photo previews quickly. Raises 53 when the file does not
    // exist and 481 when it is no readable picture.
    static LoadedPicture Load(const QString& path, const QSize& shownSize);
    // The size to decode a w x h picture at to show it at `shownSize`.
    static QSize DecodeSize(const QSize& natural, const QSize& shownSize);
};
