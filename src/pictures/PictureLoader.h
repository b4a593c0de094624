// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <atomic>
#include <functional>

// A picture as the thumbnail and the slideshow hold it: decoded no larger
// than it is shown, with the natural size (after the file's own orientation)
// kept for the layout. A picture that could not be decoded has no image and
// says why in `failure`.
struct LoadedPicture {
    QImage image;
    QSize naturalSize;
    QString path;
    qint32 failureNumber = 0; // 53 missing, 70 not allowed, 481 no readable picture
    QString failure;          // why, one German sentence; empty when decoded

    bool isNull() const { return image.isNull(); }
    // True when the decoded image is too small to show at `shownSize` sharply.
    bool NeedsLargerDecode(const QSize& shownSize) const;
};

class PictureLoader {
public:
    // For a picture of this natural size, the size to decode it at.
    using DecodeSizeFor = std::function<QSize(const QSize& natural)>;

    // Decodes the file; with a valid `shownSize` a larger picture is decoded
    // scaled down (JPEG decodes at a fraction of its size directly), so a
    // 50-megapixel photo previews quickly. Raises 53 when the file does not
    // exist and 481 when it is no readable picture.
    static LoadedPicture Load(const QString& path, const QSize& shownSize);
    // The same at the size `decodeSize` gives for the picture's natural size.
    static LoadedPicture Load(const QString& path, const DecodeSizeFor& decodeSize);
    // The same without raising: a failure comes back in the picture. The
    // format is told by the content, never by the name; the reader's cap on
    // the memory of one picture stays on. Safe on any thread. Once `cancel`
    // is set the file reads no further and the decode soon ends, failed.
    static LoadedPicture Decode(const QString& path, const DecodeSizeFor& decodeSize,
                                const std::atomic<bool>* cancel = nullptr);
    // The size to decode a w x h picture at to show it at `shownSize`.
    static QSize DecodeSize(const QSize& natural, const QSize& shownSize);
};
