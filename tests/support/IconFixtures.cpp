// SPDX-License-Identifier: GPL-3.0-or-later
#include "IconFixtures.h"

#include "LittleEndian.h"
#include "PeWriter.h"
#include "platform/PeFile.h"

#include <QBuffer>

namespace {
int stride(int width, int bits)
{
    return (width * bits + 31) / 32 * 4;
}

// Icon files and icon groups share the directory's head (reserved, type 1,
// count) and entries; what follows each entry (a file offset or a resource
// id) differs.
void directoryEntry(QByteArray& out, const IconFixtures::Entry& e)
{
    out.append(char(e.width >= 256 ? 0 : e.width));
    out.append(char(e.height >= 256 ? 0 : e.height));
    out.append(2, '\0');
    append16s(out, 1, e.bitCount);
    append32(out, quint32(e.bytes.size()));
}
} // namespace

QImage IconFixtures::square(int size, QRgb colour)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(colour);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    return image;
}

QByteArray IconFixtures::bitmap(const QImage& image, int bitCount)
{
    return bitmap(image, BitmapOptions{bitCount});
}

QByteArray IconFixtures::bitmap(const QImage& source, const BitmapOptions& o)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width();
    const int h = image.height();
    // A palette holds black, then the image's colours in the order they occur.
    const int perByte = o.bitCount <= 8 ? 8 / o.bitCount : 0;
    QList<QRgb> palette;
    if (perByte)
        palette.append(qRgb(0, 0, 0));
    for (int i = 0; perByte && i < w * h; ++i) {
        const QRgb c = image.pixel(i % w, i / w) | 0xFF000000u;
        if (!palette.contains(c))
            palette.append(c);
    }
    QByteArray out;
    append32s(out, 40, w, o.doubledHeight ? 2 * h : h);
    append16s(out, 1, o.bitCount);
    append32s(out, 0, 0, 0, 0, palette.size(), 0);
    for (QRgb c : palette)
        append32(out, c & 0x00FFFFFFu);
    QByteArray mask;
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(stride(w, o.bitCount), '\0');
        QByteArray maskRow(stride(w, 1), '\0');
        for (int x = 0; x < w; ++x) {
            const QRgb c = image.pixel(x, y);
            if (perByte) {
                const int shift = (perByte - 1 - x % perByte) * o.bitCount;
                const auto i = int(palette.indexOf(c | 0xFF000000u));
                row[x / perByte] = char(uchar(row[x / perByte]) | (i << shift));
            } else {
                const char bgra[] = {char(qBlue(c)), char(qGreen(c)), char(qRed(c)),
                                     char(o.alphaChannel ? qAlpha(c) : 0)};
                row.replace(x * o.bitCount / 8, o.bitCount / 8, bgra, o.bitCount / 8);
            }
            if (qAlpha(c) == 0)
                maskRow[x / 8] = char(uchar(maskRow[x / 8]) | (0x80 >> (x % 8)));
        }
        out += row;
        mask += maskRow;
    }
    return o.withMask ? out + mask : out;
}

QByteArray IconFixtures::png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

IconFixtures::Entry IconFixtures::entry(const QImage& image, int bitCount)
{
    return {bitmap(image, bitCount), image.width(), image.height(), bitCount};
}

IconFixtures::Entry IconFixtures::pngEntry(const QImage& image)
{
    return {png(image), image.width(), image.height(), 32};
}

QByteArray IconFixtures::icoFile(const QList<Entry>& entries)
{
    QByteArray out;
    append16s(out, 0, 1, entries.size());
    quint32 offset = 6 + 16 * quint32(entries.size());
    for (const Entry& e : entries) {
        directoryEntry(out, e);
        append32(out, offset);
        offset += quint32(e.bytes.size());
    }
    for (const Entry& e : entries)
        out += e.bytes;
    return out;
}

void IconFixtures::addGroup(PeWriter& writer, quint16 groupId, quint16 firstId,
                            const QList<Entry>& entries, quint16 language)
{
    QByteArray group;
    append16s(group, 0, 1, entries.size());
    quint16 id = firstId;
    for (const Entry& e : entries) {
        directoryEntry(group, e);
        append16(group, id);
        writer.add(PeFile::RtIcon, id, language, e.bytes);
        ++id;
    }
    writer.add(PeFile::RtGroupIcon, groupId, language, group);
}
