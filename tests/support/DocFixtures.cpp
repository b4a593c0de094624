// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/DocFixtures.h"
#include "support/LittleEndian.h"
#include "support/TestText.h"

#include <QtEndian>

#include <zlib.h>

namespace {
constexpr quint32 EndOfChain = 0xFFFFFFFE;
constexpr quint32 FreeSector = 0xFFFFFFFF;
constexpr quint32 FatSectorMark = 0xFFFFFFFD;
constexpr quint32 NoStream = 0xFFFFFFFF;
constexpr int MiniCutoff = 4096;
constexpr int MiniSector = 64;

void padTo(QByteArray& b, qsizetype multiple, char fill = 0)
{
    while (b.size() % multiple != 0)
        b.append(fill);
}

quint32 sectorsFor(qsizetype bytes, quint32 sectorSize)
{
    return quint32((bytes + sectorSize - 1) / sectorSize);
}

// Appends a chain of `count` entries to an allocation table; returns its first entry.
quint32 appendChain(QList<quint32>& table, quint32 count)
{
    const quint32 first = quint32(table.size());
    for (quint32 k = 0; k < count; ++k)
        table.append(k + 1 < count ? first + k + 1 : EndOfChain);
    return count == 0 ? EndOfChain : first;
}

QByteArray tableBytes(const QList<quint32>& table)
{
    QByteArray bytes;
    for (const quint32 entry : table)
        append32(bytes, entry);
    return bytes;
}

QByteArray directoryEntry(const QString& name, quint8 type, quint32 right, quint32 child,
                          quint32 start, quint64 size)
{
    QByteArray e;
    const QByteArray utf16(reinterpret_cast<const char*>(name.utf16()), name.size() * 2);
    e.append(utf16.left(62));
    e.append(64 - e.size(), '\0');
    append16(e, name.isEmpty() ? 0 : quint16(std::min<qsizetype>(name.size(), 31) * 2 + 2));
    e.append(char(type));
    e.append(char(1)); // black
    append32s(e, NoStream, right, child);
    e.append(16 + 4 + 16, '\0'); // class id, state bits, times
    append32(e, start);
    append64(e, size);
    return e;
}

QByteArray deflateRaw(const QByteArray& data)
{
    z_stream zs{};
    deflateInit2(&zs, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(qsizetype(deflateBound(&zs, uLong(data.size()))), '\0');
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    zs.avail_in = uInt(data.size());
    zs.next_out = reinterpret_cast<Bytef*>(out.data());
    zs.avail_out = uInt(out.size());
    deflate(&zs, Z_FINISH);
    out.truncate(qsizetype(zs.total_out));
    deflateEnd(&zs);
    return out;
}
} // namespace

namespace Fixture {

void patch32(QByteArray& bytes, quint64 offset, quint32 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

QByteArray vtI2(quint16 raw)
{
    QByteArray v;
    append32(v, 2);
    append16s(v, raw, 0);
    return v;
}

QByteArray vtLpstr(const QByteArray& bytes)
{
    QByteArray v;
    append32s(v, 30, bytes.size() + 1);
    v.append(bytes + '\0');
    padTo(v, 4);
    return v;
}

QByteArray vtLpwstr(const QString& text)
{
    QByteArray v;
    append32s(v, 31, text.size() + 1);
    for (const QChar ch : text)
        append16(v, ch.unicode());
    append16(v, 0);
    padTo(v, 4);
    return v;
}

QByteArray vtFiletime(const QDateTime& utc)
{
    QByteArray v;
    append32(v, 64);
    const quint64 ticks = quint64(utc.toSecsSinceEpoch() + 11644473600LL) * 10000000ULL;
    append64(v, ticks);
    return v;
}

QByteArray propertySet(QByteArrayView formatId, const QList<Property>& properties)
{
    QByteArray section;
    const quint32 headerSize = 8 + 8 * quint32(properties.size());
    QByteArray values;
    QByteArray index;
    for (const Property& p : properties) {
        append32(index, p.pid);
        append32(index, headerSize + quint32(values.size()));
        values.append(p.value);
    }
    append32s(section, headerSize + quint32(values.size()), properties.size());
    section.append(index + values);

    QByteArray stream;
    append16s(stream, 0xFFFE, 0);
    append32(stream, 0x00020006); // written on Windows, version 6.2
    stream.append(16, '\0');
    append32(stream, 1);
    stream.append(formatId.data(), formatId.size());
    append32(stream, 48);
    stream.append(section);
    return stream;
}

QByteArray oleFile(const QList<OleStream>& streams, OleLayout* layoutOut, quint16 sectorShift)
{
    OleLayout layout;
    const quint32 s = 1u << sectorShift;
    layout.sectorSize = s;
    QByteArray mini;
    QList<quint32> miniFat;
    QList<qsizetype> bigStreams;
    for (qsizetype i = 0; i < streams.size(); ++i) {
        const QByteArray& data = streams[i].data;
        if (data.size() >= MiniCutoff) { // big streams get their sectors after the mini stream
            layout.streamStart.append(EndOfChain);
            bigStreams.append(i);
            continue;
        }
        layout.streamStart.append(appendChain(miniFat, sectorsFor(data.size(), MiniSector)));
        mini.append(data);
        padTo(mini, MiniSector);
    }
    const quint32 dirSectors = sectorsFor((streams.size() + 1) * 128, s);
    const quint32 miniFatSectors = sectorsFor(miniFat.size() * 4, s);
    const quint32 miniStreamSectors = sectorsFor(mini.size(), s);
    quint32 bigSectors = 0;
    for (const qsizetype i : bigStreams)
        bigSectors += sectorsFor(streams[i].data.size(), s);
    quint32 fatSectors = 1;
    while (fatSectors * (s / 4) <
           fatSectors + dirSectors + miniFatSectors + miniStreamSectors + bigSectors)
        ++fatSectors;

    QList<quint32> fat(fatSectors, FatSectorMark);
    layout.fatSector = 0;
    layout.directorySector = appendChain(fat, dirSectors);
    layout.miniFatSector = appendChain(fat, miniFatSectors);
    const quint32 miniStreamStart = appendChain(fat, miniStreamSectors);
    for (const qsizetype i : bigStreams)
        layout.streamStart[i] = appendChain(fat, sectorsFor(streams[i].data.size(), s));
    const quint32 used = quint32(fat.size());
    fat.resize(fatSectors * (s / 4), FreeSector);

    QByteArray header("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    header.append(16, '\0');
    append16s(header, 0x3E, sectorShift == 12 ? 4 : 3, 0xFFFE, sectorShift, 6);
    header.append(6, '\0');
    append32s(header, sectorShift == 12 ? dirSectors : 0, fatSectors, layout.directorySector, 0,
              MiniCutoff, layout.miniFatSector, miniFatSectors, EndOfChain, 0);
    for (quint32 k = 0; k < 109; ++k)
        append32(header, k < fatSectors ? k : FreeSector);
    header.append(s - header.size(), '\0');

    QByteArray body = tableBytes(fat);
    QByteArray dir = directoryEntry(u("Root Entry"), 5, NoStream, streams.isEmpty() ? NoStream : 1,
                                    miniStreamStart, quint64(mini.size()));
    for (qsizetype i = 0; i < streams.size(); ++i)
        dir.append(directoryEntry(streams[i].name, 2,
                                  i + 1 < streams.size() ? quint32(i + 2) : NoStream, NoStream,
                                  layout.streamStart[i], quint64(streams[i].data.size())));
    while (dir.size() % s != 0)
        dir.append(directoryEntry(QString(), 0, NoStream, NoStream, 0, 0));
    body.append(dir);
    QByteArray miniFatBytes = tableBytes(miniFat);
    padTo(miniFatBytes, s, '\xFF');
    body.append(miniFatBytes + mini);
    padTo(body, s);
    for (const qsizetype i : bigStreams) {
        body.append(streams[i].data);
        padTo(body, s);
    }
    Q_ASSERT(quint32(body.size()) == used * s);
    if (layoutOut)
        *layoutOut = layout;
    return header + body;
}

QByteArray zipFile(const QList<ZipMember>& members, bool zip64)
{
    QByteArray body;
    QByteArray central;
    for (const ZipMember& m : members) {
        const QByteArray packed = m.deflate ? deflateRaw(m.data) : m.data;
        quint32 crc = quint32(
            crc32(0, reinterpret_cast<const Bytef*>(m.data.constData()), uInt(m.data.size())));
        if (m.badCrc)
            crc ^= 1;
        const quint64 size = m.declaredSize >= 0 ? quint64(m.declaredSize) : quint64(m.data.size());
        const QByteArray localName = m.localName.isEmpty() ? m.name : m.localName;
        const quint16 method = m.deflate ? 8 : 0;
        const quint64 offset = quint64(body.size());
        QByteArray extra;
        QByteArray localExtra;
        if (zip64) {
            append16s(localExtra, 1, 16);
            append64s(localExtra, size, packed.size());
            append16s(extra, 1, 24);
            append64s(extra, size, packed.size(), offset);
        }
        // Both headers share the fields from version needed to the sizes.
        const auto shared = [&](QByteArray& out) {
            append16s(out, zip64 ? 45 : 20, m.flags, method, 0, 0x21);
            append32s(out, crc, zip64 ? 0xFFFFFFFF : quint32(packed.size()),
                      zip64 ? 0xFFFFFFFF : quint32(size));
        };
        append32(body, 0x04034b50);
        shared(body);
        append16s(body, localName.size(), localExtra.size());
        body.append(localName + localExtra + packed);

        append32(central, 0x02014b50);
        append16(central, 20);
        shared(central);
        append16s(central, m.name.size(), extra.size(), 0, 0, 0);
        append32s(central, 0, zip64 ? 0xFFFFFFFF : quint32(offset));
        central.append(m.name + extra);
    }
    const quint64 centralOffset = quint64(body.size());
    body.append(central);
    const quint64 count = quint64(members.size());
    if (zip64) {
        const quint64 record = quint64(body.size());
        append32(body, 0x06064b50);
        append64(body, 44);
        append16s(body, 45, 45);
        append32s(body, 0, 0);
        append64s(body, count, count, central.size(), centralOffset);
        append32s(body, 0x07064b50, 0);
        append64(body, record);
        append32(body, 1);
    }
    append32(body, 0x06054b50);
    append16s(body, 0, 0, zip64 ? 0xFFFF : quint16(count), zip64 ? 0xFFFF : quint16(count));
    append32s(body, zip64 ? 0xFFFFFFFF : quint32(central.size()),
              zip64 ? 0xFFFFFFFF : quint32(centralOffset));
    append16(body, 0);
    return body;
}

} // namespace Fixture
