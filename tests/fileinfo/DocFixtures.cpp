// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocFixtures.h"

#include <QtEndian>

#include <zlib.h>

namespace {
constexpr quint32 EndOfChain = 0xFFFFFFFE;
constexpr quint32 FreeSector = 0xFFFFFFFF;
constexpr quint32 FatSectorMark = 0xFFFFFFFD;
constexpr quint32 NoStream = 0xFFFFFFFF;
constexpr int MiniCutoff = 4096;
constexpr int MiniSector = 64;

void put16(QByteArray& b, quint16 v)
{
    char raw[2];
    qToLittleEndian(v, raw);
    b.append(raw, 2);
}

void put32(QByteArray& b, quint32 v)
{
    char raw[4];
    qToLittleEndian(v, raw);
    b.append(raw, 4);
}

void put64(QByteArray& b, quint64 v)
{
    char raw[8];
    qToLittleEndian(v, raw);
    b.append(raw, 8);
}

void padTo(QByteArray& b, qsizetype multiple, char fill = 0)
{
    while (b.size() % multiple != 0)
        b.append(fill);
}

quint32 sectorsFor(qsizetype bytes, quint32 sectorSize)
{
    return quint32((bytes + sectorSize - 1) / sectorSize);
}

QByteArray directoryEntry(const QString& name, quint8 type, quint32 right, quint32 child,
                          quint32 start, quint64 size)
{
    QByteArray e;
    const QByteArray utf16(reinterpret_cast<const char*>(name.utf16()), name.size() * 2);
    e.append(utf16.left(62));
    e.append(64 - e.size(), '\0');
    put16(e, name.isEmpty() ? 0 : quint16(std::min<qsizetype>(name.size(), 31) * 2 + 2));
    e.append(char(type));
    e.append(char(1)); // black
    put32(e, NoStream);
    put32(e, right);
    put32(e, child);
    e.append(16 + 4 + 16, '\0'); // class id, state bits, times
    put32(e, start);
    put64(e, size);
    return e;
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
    put32(v, 2);
    put16(v, raw);
    put16(v, 0);
    return v;
}

QByteArray vtLpstr(const QByteArray& bytes)
{
    QByteArray v;
    put32(v, 30);
    put32(v, quint32(bytes.size() + 1));
    v.append(bytes);
    v.append('\0');
    padTo(v, 4);
    return v;
}

QByteArray vtLpwstr(const QString& text)
{
    QByteArray v;
    put32(v, 31);
    put32(v, quint32(text.size() + 1));
    for (const QChar ch : text)
        put16(v, ch.unicode());
    put16(v, 0);
    padTo(v, 4);
    return v;
}

QByteArray vtFiletime(const QDateTime& utc)
{
    QByteArray v;
    put32(v, 64);
    const quint64 ticks = quint64(utc.toSecsSinceEpoch() + 11644473600LL) * 10000000ULL;
    put64(v, ticks);
    return v;
}

QByteArray propertySet(QByteArrayView formatId, const QList<Property>& properties)
{
    QByteArray section;
    const quint32 headerSize = 8 + 8 * quint32(properties.size());
    QByteArray values;
    QByteArray index;
    for (const Property& p : properties) {
        put32(index, p.pid);
        put32(index, headerSize + quint32(values.size()));
        values.append(p.value);
    }
    put32(section, headerSize + quint32(values.size()));
    put32(section, quint32(properties.size()));
    section.append(index);
    section.append(values);

    QByteArray stream;
    put16(stream, 0xFFFE);
    put16(stream, 0);
    put32(stream, 0x00020006); // written on Windows, version 6.2
    stream.append(16, '\0');
    put32(stream, 1);
    stream.append(formatId.data(), formatId.size());
    put32(stream, 48);
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
        const bool small = data.size() < MiniCutoff;
        layout.streamIsMini.append(small);
        layout.streamStart.append(EndOfChain);
        if (!small) {
            bigStreams.append(i);
            continue;
        }
        if (data.isEmpty())
            continue;
        const quint32 first = quint32(miniFat.size());
        layout.streamStart[i] = first;
        const quint32 count = sectorsFor(data.size(), MiniSector);
        for (quint32 k = 0; k < count; ++k)
            miniFat.append(k + 1 < count ? first + k + 1 : EndOfChain);
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

    QList<quint32> fat;
    auto allocate = [&fat](quint32 count) {
        const quint32 first = quint32(fat.size());
        for (quint32 k = 0; k < count; ++k)
            fat.append(k + 1 < count ? first + k + 1 : EndOfChain);
        return count == 0 ? EndOfChain : first;
    };
    for (quint32 k = 0; k < fatSectors; ++k)
        fat.append(FatSectorMark);
    layout.fatSector = 0;
    layout.directorySector = allocate(dirSectors);
    layout.miniFatSector = allocate(miniFatSectors);
    const quint32 miniStreamStart = allocate(miniStreamSectors);
    for (const qsizetype i : bigStreams)
        layout.streamStart[i] = allocate(sectorsFor(streams[i].data.size(), s));
    const quint32 used = quint32(fat.size());
    while (quint32(fat.size()) < fatSectors * (s / 4))
        fat.append(FreeSector);

    QByteArray header("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    header.append(16, '\0');
    put16(header, 0x3E);
    put16(header, sectorShift == 12 ? 4 : 3);
    put16(header, 0xFFFE);
    put16(header, sectorShift);
    put16(header, 6);
    header.append(6, '\0');
    put32(header, sectorShift == 12 ? dirSectors : 0);
    put32(header, fatSectors);
    put32(header, layout.directorySector);
    put32(header, 0);
    put32(header, MiniCutoff);
    put32(header, layout.miniFatSector);
    put32(header, miniFatSectors);
    put32(header, EndOfChain);
    put32(header, 0);
    for (quint32 k = 0; k < 109; ++k)
        put32(header, k < fatSectors ? k : FreeSector);
    header.append(s - header.size(), '\0');

    QByteArray body;
    for (const quint32 entry : fat)
        put32(body, entry);
    QByteArray dir =
        directoryEntry(QStringLiteral("Root Entry"), 5, NoStream, streams.isEmpty() ? NoStream : 1,
                       miniStreamStart, quint64(mini.size()));
    for (qsizetype i = 0; i < streams.size(); ++i)
        dir.append(directoryEntry(streams[i].name, 2,
                                  i + 1 < streams.size() ? quint32(i + 2) : NoStream, NoStream,
                                  layout.streamStart[i], quint64(streams[i].data.size())));
    while (dir.size() % s != 0)
        dir.append(directoryEntry(QString(), 0, NoStream, NoStream, 0, 0));
    body.append(dir);
    QByteArray miniFatBytes;
    for (const quint32 entry : miniFat)
        put32(miniFatBytes, entry);
    padTo(miniFatBytes, s, '\xFF');
    body.append(miniFatBytes);
    body.append(mini);
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
            put16(localExtra, 1);
            put16(localExtra, 16);
            put64(localExtra, size);
            put64(localExtra, quint64(packed.size()));
            put16(extra, 1);
            put16(extra, 24);
            put64(extra, size);
            put64(extra, quint64(packed.size()));
            put64(extra, offset);
        }
        put32(body, 0x04034b50);
        put16(body, zip64 ? 45 : 20);
        put16(body, m.flags);
        put16(body, method);
        put16(body, 0);
        put16(body, 0x21);
        put32(body, crc);
        put32(body, zip64 ? 0xFFFFFFFF : quint32(packed.size()));
        put32(body, zip64 ? 0xFFFFFFFF : quint32(size));
        put16(body, quint16(localName.size()));
        put16(body, quint16(localExtra.size()));
        body.append(localName);
        body.append(localExtra);
        body.append(packed);

        put32(central, 0x02014b50);
        put16(central, 20);
        put16(central, zip64 ? 45 : 20);
        put16(central, m.flags);
        put16(central, method);
        put16(central, 0);
        put16(central, 0x21);
        put32(central, crc);
        put32(central, zip64 ? 0xFFFFFFFF : quint32(packed.size()));
        put32(central, zip64 ? 0xFFFFFFFF : quint32(size));
        put16(central, quint16(m.name.size()));
        put16(central, quint16(extra.size()));
        put16(central, 0);
        put16(central, 0);
        put16(central, 0);
        put32(central, 0);
        put32(central, zip64 ? 0xFFFFFFFF : quint32(offset));
        central.append(m.name);
        central.append(extra);
    }
    const quint64 centralOffset = quint64(body.size());
    body.append(central);
    const quint64 count = quint64(members.size());
    if (zip64) {
        const quint64 record = quint64(body.size());
        put32(body, 0x06064b50);
        put64(body, 44);
        put16(body, 45);
        put16(body, 45);
        put32(body, 0);
        put32(body, 0);
        put64(body, count);
        put64(body, count);
        put64(body, quint64(central.size()));
        put64(body, centralOffset);
        put32(body, 0x07064b50);
        put32(body, 0);
        put64(body, record);
        put32(body, 1);
    }
    put32(body, 0x06054b50);
    put16(body, 0);
    put16(body, 0);
    put16(body, zip64 ? 0xFFFF : quint16(count));
    put16(body, zip64 ? 0xFFFF : quint16(count));
    put32(body, zip64 ? 0xFFFFFFFF : quint32(central.size()));
    put32(body, zip64 ? 0xFFFFFFFF : quint32(centralOffset));
    put16(body, 0);
    return body;
}

} // namespace Fixture
