// SPDX-License-Identifier: GPL-3.0-or-later
#include "icons/IcoFile.h"

#include "platform/ByteReader.h"

#include <QtEndian>

namespace {
constexpr quint64 kHeaderSize = 6;
constexpr quint64 kEntrySize = 16;
constexpr quint16 kTypeIcon = 1;

void append16(QByteArray& out, quint16 value)
{
    const quint16 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), 2);
}

void append32(QByteArray& out, quint32 value)
{
    const quint32 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), 4);
}

// A bitmap image of an icon: header with the height doubled for the mask,
// colour rows bottom up, then the mask rows (a set bit is transparent).
QByteArray bitmapImage(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width();
    const int h = image.height();
    const int maskStride = (w + 31) / 32 * 4;
    QByteArray out;
    append32(out, 40);
    append32(out, quint32(w));
    append32(out, quint32(2 * h));
    append16(out, 1);
    append16(out, 32);
    append32(out, 0);
    append32(out, quint32(4 * w * h + maskStride * h));
    for (int i = 0; i < 4; ++i)
        append32(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x)
            append32(out, row[x]); // BGRA in memory order
    }
    for (int y = h - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        QByteArray mask(maskStride, '\0');
        for (int x = 0; x < w; ++x) {
            if (qAlpha(row[x]) == 0)
                mask[x / 8] = char(uchar(mask[x / 8]) | (0x80 >> (x % 8)));
        }
        out += mask;
    }
    return out;
}
} // namespace

bool IcoFile::looksLikeIcon(QByteArrayView bytes)
{
    const ByteReader r(bytes);
    const auto count = r.u16le(4);
    return r.u16le(0) == 0u && r.u16le(2) == kTypeIcon && count && *count > 0;
}

std::optional<IconGroup> IcoFile::read(QByteArrayView bytes)
{
    if (!looksLikeIcon(bytes))
        return std::nullopt;
    const ByteReader r(bytes);
    const quint16 count = *r.u16le(4);
    IconGroup group;
    for (quint64 i = 0; i < count; ++i) {
        const quint64 entry = kHeaderSize + i * kEntrySize;
        const auto height = r.u8(entry + 1);
        const auto size = r.u32le(entry + 8);
        const auto offset = r.u32le(entry + 12);
        if (!height || !size || !offset)
            break; // the directory itself is cut short
        if (const auto image = r.bytes(*offset, *size))
            group.add(*image, *height);
    }
    return group;
}

QByteArray IcoFile::write(const QList<QImage>& images)
{
    QList<QByteArray> bodies;
    for (const QImage& image : images)
        bodies.append(bitmapImage(image));
    QByteArray out;
    append16(out, 0);
    append16(out, kTypeIcon);
    append16(out, quint16(images.size()));
    quint32 offset = quint32(kHeaderSize + kEntrySize * quint64(images.size()));
    for (qsizetype i = 0; i < images.size(); ++i) {
        // 256 is written as 0: the field has one byte.
        out.append(char(images[i].width() >= 256 ? 0 : images[i].width()));
        out.append(char(images[i].height() >= 256 ? 0 : images[i].height()));
        out.append(2, '\0');
        append16(out, 1);
        append16(out, 32);
        append32(out, quint32(bodies[i].size()));
        append32(out, offset);
        offset += quint32(bodies[i].size());
    }
    for (const QByteArray& body : bodies)
        out += body;
    return out;
}
