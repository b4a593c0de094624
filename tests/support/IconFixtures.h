// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

class PeWriter;

// Icon images, icon files and icon groups for the tests, written by the
// published layout, with knobs for the ways real files go wrong.
struct IconFixtures {
    // A square of one colour whose top left pixel is transparent.
    static QImage square(int size, QRgb colour);

    struct BitmapOptions {
        int bitCount = 32;
        bool withMask = true;
        bool doubledHeight = true;
        bool alphaChannel = true; // 32 bit only: false writes alpha 0 everywhere
    };
    // A bitmap image with its mask; 1, 4 and 8 bits use a palette of the
    // image's colours.
    static QByteArray bitmap(const QImage& image, const BitmapOptions& options);
    static QByteArray bitmap(const QImage& image, int bitCount = 32);
    static QByteArray png(const QImage& image);

    // One image with what the directory says about it (which may lie).
    struct Entry {
        QByteArray bytes;
        int width = 0; // 256 is written as 0
        int height = 0;
        int bitCount = 0;
    };
    static Entry entry(const QImage& image, int bitCount = 32);
    static Entry pngEntry(const QImage& image);

    static QByteArray icoFile(const QList<Entry>& entries);
    // Adds an icon group and its images (numbered from firstId) to a PE image.
    static void addGroup(PeWriter& writer, quint16 groupId, quint16 firstId,
                         const QList<Entry>& entries, quint16 language = 0);
};
