// SPDX-License-Identifier: GPL-3.0-or-later
#include "icons/IconImage.h"

#include "platform/ByteReader.h"

#include <bit>

namespace {
constexpr quint32 kBiRgb = 0;
constexpr quint32 kBiBitfields = 3;
constexpr quint32 kMaxPalette = 256;
const QByteArray kPngSignature = QByteArrayLiteral("\x89PNG\r\n\x1a\n");

// The facts of a bitmap image and where its parts lie.
struct Dib {
    int width = 0;
    int height = 0; // of the colour image, without the mask
    bool topDown = false;
    int bitCount = 0;
    quint32 masks[4] = {0, 0, 0, 0}; // red, green, blue, alpha for bit fields
    quint64 paletteOffset = 0;
    quint32 paletteSize = 0;
    quint64 pixelOffset = 0;
    quint64 xorStride = 0;
    quint64 andStride = 0;
};

bool isPng(QByteArrayView bytes)
{
    return bytes.size() >= kPngSignature.size() &&
           bytes.first(kPngSignature.size()) == kPngSignature;
}

// The image height inside a header height that normally counts the mask too.
// Some writers leave the height single or drop the mask; square images and
// the directory tell which.
int colourHeight(int headerHeight, int width, int directoryHeight)
{
    if (headerHeight == 2 * width)
        return width;
    if (headerHeight == width || headerHeight == directoryHeight)
        return headerHeight;
    return headerHeight % 2 == 0 ? headerHeight / 2 : headerHeight;
}

std::optional<Dib> readDib(const ByteReader& r, int directoryHeight)
{
    const auto headerSize = r.u32le(0);
    const auto width = r.i32le(4);
    const auto height = r.i32le(8);
    const auto bitCount = r.u16le(14);
    const auto compression = r.u32le(16);
    const auto colorsUsed = r.u32le(32);
    if (!headerSize || *headerSize < 40 || *headerSize > 124 || !colorsUsed)
        return std::nullopt;
    Dib d;
    d.bitCount = *bitCount;
    const qint64 absHeight = *height < 0 ? -qint64(*height) : qint64(*height);
    if (*width < 1 || *width > IconImage::MaxSide || absHeight < 1 ||
        absHeight > 2 * IconImage::MaxSide)
        return std::nullopt;
    if (d.bitCount != 1 && d.bitCount != 4 && d.bitCount != 8 && d.bitCount != 16 &&
        d.bitCount != 24 && d.bitCount != 32)
        return std::nullopt;
    const bool bitfields = *compression == kBiBitfields && (d.bitCount == 16 || d.bitCount == 32);
    if (*compression != kBiRgb && !bitfields)
        return std::nullopt;
    d.width = *width;
    d.height = colourHeight(int(absHeight), d.width, directoryHeight);
    if (d.height > IconImage::MaxSide)
        return std::nullopt;
    d.topDown = *height < 0;

    quint64 at = *headerSize;
    if (bitfields) {
        // A plain header is followed by three masks; larger headers hold them.
        const quint64 masksAt = 40;
        for (int i = 0; i < (*headerSize >= 56 ? 4 : 3); ++i) {
            const auto m = r.u32le(masksAt + 4 * quint64(i));
            if (!m)
                return std::nullopt;
            d.masks[i] = *m;
        }
        if (*headerSize == 40)
            at += 12;
    } else if (d.bitCount == 16) {
        d.masks[0] = 0x7C00;
        d.masks[1] = 0x03E0;
        d.masks[2] = 0x001F;
    }
    const quint32 entries = *colorsUsed ? *colorsUsed : (d.bitCount <= 8 ? 1u << d.bitCount : 0);
    if (entries > kMaxPalette || !r.has(at, quint64(entries) * 4))
        return std::nullopt;
    d.paletteOffset = at;
    d.paletteSize = d.bitCount <= 8 ? entries : 0;
    d.pixelOffset = at + quint64(entries) * 4;
    d.xorStride = (quint64(d.width) * quint64(d.bitCount) + 31) / 32 * 4;
    d.andStride = (quint64(d.width) + 31) / 32 * 4;
    if (!r.has(d.pixelOffset, d.xorStride * quint64(d.height)))
        return std::nullopt;
    return d;
}

// A colour channel of a bit-field pixel, scaled to eight bits.
int channel(quint32 pixel, quint32 mask)
{
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const quint32 max = mask >> shift;
    return int((quint64((pixel & mask) >> shift) * 255 + max / 2) / max);
}

QRgb pixelAt(const Dib& d, const uchar* row, const QList<QRgb>& palette, int x)
{
    switch (d.bitCount) {
    case 1:
    case 4:
    case 8: {
        const int perByte = 8 / d.bitCount;
        const int shift = (perByte - 1 - x % perByte) * d.bitCount;
        const int index = (row[x / perByte] >> shift) & ((1 << d.bitCount) - 1);
        // An index past the palette is drawn black rather than read beyond it.
        return index < palette.size() ? palette[index] : qRgba(0, 0, 0, 255);
    }
    case 16: {
        const quint32 p = quint32(row[2 * x]) | quint32(row[2 * x + 1]) << 8;
        return qRgba(channel(p, d.masks[0]), channel(p, d.masks[1]), channel(p, d.masks[2]), 0);
    }
    case 24:
        return qRgba(row[3 * x + 2], row[3 * x + 1], row[3 * x], 0);
    default: {
        const uchar* p = row + 4 * x;
        const quint32 v =
            quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
        if (d.masks[0] == 0 && d.masks[1] == 0 && d.masks[2] == 0)
            return qRgba(p[2], p[1], p[0], p[3]);
        return qRgba(channel(v, d.masks[0]), channel(v, d.masks[1]), channel(v, d.masks[2]),
                     channel(v, d.masks[3]));
    }
    }
}

QImage decodeDib(const ByteReader& r, const Dib& d)
{
    QList<QRgb> palette;
    for (quint32 i = 0; i < d.paletteSize; ++i) {
        const auto bgr = *r.u32le(d.paletteOffset + 4 * quint64(i));
        palette.append(qRgba(int(bgr >> 16 & 0xFF), int(bgr >> 8 & 0xFF), int(bgr & 0xFF), 255));
    }
    QImage image(d.width, d.height, QImage::Format_ARGB32);
    if (image.isNull())
        return image;
    const quint64 maskOffset = d.pixelOffset + d.xorStride * quint64(d.height);
    // Without room for the mask the image is opaque.
    const bool hasMask = r.has(maskOffset, d.andStride * quint64(d.height));
    const auto* base = reinterpret_cast<const uchar*>(r.data());
    bool anyAlpha = false;
    for (int y = 0; y < d.height; ++y) {
        const int fileRow = d.topDown ? y : d.height - 1 - y;
        const uchar* row = base + d.pixelOffset + d.xorStride * quint64(fileRow);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < d.width; ++x) {
            out[x] = pixelAt(d, row, palette, x);
            anyAlpha = anyAlpha || qAlpha(out[x]) != 0;
        }
    }
    // Only 32-bit images carry their own alpha; one that is zero throughout
    // is an old image whose transparency is in the mask.
    if (d.bitCount == 32 && anyAlpha)
        return image;
    for (int y = 0; y < d.height; ++y) {
        const int fileRow = d.topDown ? y : d.height - 1 - y;
        const uchar* mask = hasMask ? base + maskOffset + d.andStride * quint64(fileRow) : nullptr;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < d.width; ++x) {
            const bool transparent = mask && ((mask[x / 8] >> (7 - x % 8)) & 1);
            out[x] = transparent ? qRgba(0, 0, 0, 0) : (out[x] | 0xFF000000u);
        }
    }
    return image;
}

std::optional<IconImageInfo> probePng(const ByteReader& r)
{
    // The first chunk must be the image header.
    if (r.u32be(8) != 13u || r.u32be(12) != 0x49484452u) // "IHDR"
        return std::nullopt;
    const auto width = r.u32be(16);
    const auto height = r.u32be(20);
    const auto depth = r.u8(24);
    const auto colourType = r.u8(25);
    if (!width || !height || !depth || !colourType || *width < 1 || *height < 1 ||
        *width > quint32(IconImage::MaxSide) || *height > quint32(IconImage::MaxSide))
        return std::nullopt;
    static const int channels[] = {1, 0, 3, 1, 2, 0, 4};
    const int perPixel = *colourType < 7 ? channels[*colourType] : 0;
    if (perPixel == 0)
        return std::nullopt;
    return IconImageInfo{int(*width), int(*height), perPixel * *depth, true};
}
} // namespace

std::optional<IconImageInfo> IconImage::probe(QByteArrayView bytes, int directoryHeight)
{
    const ByteReader r(bytes);
    if (isPng(bytes))
        return probePng(r);
    const auto dib = readDib(r, directoryHeight);
    if (!dib)
        return std::nullopt;
    return IconImageInfo{dib->width, dib->height, dib->bitCount, false};
}

QImage IconImage::decode(QByteArrayView bytes, int directoryHeight)
{
    const ByteReader r(bytes);
    if (isPng(bytes))
        return probePng(r) ? decodePng(bytes) : QImage();
    const auto dib = readDib(r, directoryHeight);
    return dib ? decodeDib(r, *dib) : QImage();
}

QImage IconImage::decodePng(QByteArrayView bytes)
{
    QImage image;
    if (!image.loadFromData(bytes, "PNG"))
        return QImage();
    if (image.width() > MaxSide || image.height() > MaxSide)
        return QImage();
    return image.convertToFormat(QImage::Format_ARGB32);
}
