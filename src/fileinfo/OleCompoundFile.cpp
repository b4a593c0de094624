// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/OleCompoundFile.h"

#include <QSet>
#include <QStringDecoder>

namespace {
constexpr char Signature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr quint32 EndOfChain = 0xFFFFFFFE;
constexpr quint32 NoStream = 0xFFFFFFFF;
constexpr quint32 MaxRegularSector = 0xFFFFFFFA;
constexpr quint64 HeaderSize = 512;
constexpr quint64 HeaderDifatEntries = 109;
constexpr quint64 DirEntrySize = 128;
constexpr quint8 TypeStream = 2;
constexpr quint8 TypeRoot = 5;
} // namespace

bool OleCompoundFile::hasSignature(const ByteReader& data)
{
    const auto head = data.view(0, 8);
    return head && *head == QByteArrayView(Signature, 8);
}

bool OleCompoundFile::open(const ByteReader& data)
{
    m_data = data;
    m_fat.clear();
    m_miniFat.clear();
    m_miniStreamSectors.clear();
    m_entries.clear();
    if (!hasSignature(data) || !data.has(0, HeaderSize) || data.u16le(0x1C) != quint16(0xFFFE))
        return false;
    const auto shift = data.u16le(0x1E);
    const auto miniShift = data.u16le(0x20);
    const auto cutoff = data.u32le(0x38);
    // Version 3 files use 512-byte sectors, version 4 files 4096; nothing else exists.
    if (!shift || (*shift != 9 && *shift != 12) || !miniShift || *miniShift != 6 || !cutoff)
        return false;
    m_sectorSize = 1u << *shift;
    m_miniSectorSize = 1u << *miniShift;
    m_miniCutoff = *cutoff;
    m_sectorCount = data.size() > m_sectorSize ? (data.size() - m_sectorSize) / m_sectorSize : 0;
    return readFat() && readDirectory() && readMiniTables();
}

bool OleCompoundFile::readFat()
{
    const auto fatSectors = m_data.u32le(0x2C);
    const auto difatStart = m_data.u32le(0x44);
    if (!fatSectors || !difatStart || *fatSectors > m_sectorCount)
        return false;
    // Where the FAT sectors lie: 109 in the header, the rest in a chain of
    // DIFAT sectors whose last entry points to the next one.
    QList<quint32> fatLocations;
    for (quint64 i = 0; i < HeaderDifatEntries && quint64(fatLocations.size()) < *fatSectors; ++i)
        fatLocations.append(m_data.u32le(0x4C + 4 * i).value_or(NoStream));
    const quint32 perDifat = m_sectorSize / 4 - 1;
    quint32 next = *difatStart;
    QSet<quint32> seen;
    while (quint64(fatLocations.size()) < *fatSectors) {
        if (next >= m_sectorCount || seen.contains(next))
            return false;
        seen.insert(next);
        const quint64 base = quint64(next + 1) * m_sectorSize;
        for (quint32 i = 0; i < perDifat && quint64(fatLocations.size()) < *fatSectors; ++i)
            fatLocations.append(m_data.u32le(base + 4 * i).value_or(NoStream));
        next = m_data.u32le(base + 4 * quint64(perDifat)).value_or(NoStream);
    }
    // Entries past the sectors the file holds could only point outside it.
    const quint64 wanted =
        std::min<quint64>(quint64(*fatSectors) * (m_sectorSize / 4), m_sectorCount);
    m_fat.reserve(qsizetype(wanted));
    for (const quint32 location : fatLocations) {
        if (location >= m_sectorCount)
            return false;
        const quint64 base = quint64(location + 1) * m_sectorSize;
        for (quint32 i = 0; i < m_sectorSize / 4 && quint64(m_fat.size()) < wanted; ++i)
            m_fat.append(m_data.u32le(base + 4 * i).value_or(NoStream));
    }
    return true;
}

std::optional<QList<quint32>> OleCompoundFile::chain(const QList<quint32>& table, quint32 start,
                                                     std::optional<quint64> length) const
{
    // A whole chain visits each sector at most once, so one longer than the
    // table loops. A stream needs only the sectors its size asks for.
    const quint64 limit =
        std::min<quint64>(length.value_or(quint64(table.size())), quint64(table.size()));
    QList<quint32> sectors;
    quint32 sector = start;
    while (sector != EndOfChain) {
        if (length && quint64(sectors.size()) == *length)
            break;
        if (sector > MaxRegularSector || sector >= quint64(table.size()) ||
            quint64(sectors.size()) >= limit)
            return std::nullopt;
        sectors.append(sector);
        sector = table[sector];
    }
    return sectors;
}

std::optional<QByteArray> OleCompoundFile::readSectors(const QList<quint32>& sectors,
                                                       quint64 size) const
{
    if (quint64(sectors.size()) * m_sectorSize < size)
        return std::nullopt;
    QByteArray out;
    out.reserve(qsizetype(size));
    for (const quint32 sector : sectors) {
        const quint64 take = std::min<quint64>(m_sectorSize, size - quint64(out.size()));
        if (take == 0)
            break;
        const auto part = m_data.view(quint64(sector + 1) * m_sectorSize, take);
        if (!part)
            return std::nullopt;
        out.append(*part);
    }
    return out;
}

bool OleCompoundFile::readDirectory()
{
    const auto start = m_data.u32le(0x30);
    if (!start)
        return false;
    const auto sectors = chain(m_fat, *start, std::nullopt);
    if (!sectors || sectors->isEmpty())
        return false;
    const auto bytes = readSectors(*sectors, quint64(sectors->size()) * m_sectorSize);
    if (!bytes)
        return false;
    const ByteReader dir(*bytes);
    for (quint64 at = 0; at + DirEntrySize <= dir.size(); at += DirEntrySize) {
        Entry e;
        const quint16 nameBytes = dir.u16le(at + 0x40).value_or(0);
        if (nameBytes >= 2 && nameBytes <= 64 && nameBytes % 2 == 0)
            e.name = QStringDecoder(QStringConverter::Utf16LE)(
                dir.view(at, nameBytes - 2).value_or(QByteArrayView()));
        e.type = dir.u8(at + 0x42).value_or(0);
        e.left = dir.u32le(at + 0x44).value_or(NoStream);
        e.right = dir.u32le(at + 0x48).value_or(NoStream);
        e.child = dir.u32le(at + 0x4C).value_or(NoStream);
        e.start = dir.u32le(at + 0x74).value_or(EndOfChain);
        // Version 3 writers leave garbage in the high half of the size.
        e.size = m_sectorSize == 512 ? dir.u32le(at + 0x78).value_or(0)
                                     : dir.u64le(at + 0x78).value_or(0);
        m_entries.append(e);
    }
    return !m_entries.isEmpty() && m_entries.first().type == TypeRoot;
}

bool OleCompoundFile::readMiniTables()
{
    const Entry& root = m_entries.first();
    const auto miniFatStart = m_data.u32le(0x3C);
    if (root.size == 0 || !miniFatStart || *miniFatStart == EndOfChain)
        return true; // no small streams at all
    const auto stream = chain(m_fat, root.start, std::nullopt);
    const auto miniFatSectors = chain(m_fat, *miniFatStart, std::nullopt);
    if (!stream || !miniFatSectors || quint64(stream->size()) * m_sectorSize < root.size)
        return true; // the small streams are lost; the large ones may still read
    m_miniStreamSectors = *stream;
    const quint64 miniSectors = root.size / m_miniSectorSize;
    const auto table = readSectors(*miniFatSectors, quint64(miniFatSectors->size()) * m_sectorSize);
    if (!table)
        return true;
    const ByteReader entries(*table);
    for (quint64 i = 0; i < miniSectors && 4 * i + 4 <= entries.size(); ++i)
        m_miniFat.append(entries.u32le(4 * i).value_or(NoStream));
    return true;
}

std::optional<QByteArray> OleCompoundFile::readMini(quint32 start, quint64 size) const
{
    const quint64 needed = (size + m_miniSectorSize - 1) / m_miniSectorSize;
    if (needed == 0)
        return QByteArray();
    const auto sectors = chain(m_miniFat, start, needed);
    if (!sectors || quint64(sectors->size()) < needed)
        return std::nullopt;
    QByteArray out;
    out.reserve(qsizetype(size));
    const quint32 perSector = m_sectorSize / m_miniSectorSize;
    for (const quint32 mini : *sectors) {
        const quint64 take = std::min<quint64>(m_miniSectorSize, size - quint64(out.size()));
        if (take == 0)
            break;
        if (mini / perSector >= quint64(m_miniStreamSectors.size()))
            return std::nullopt;
        const quint32 big = m_miniStreamSectors[mini / perSector];
        const quint64 at =
            quint64(big + 1) * m_sectorSize + quint64(mini % perSector) * m_miniSectorSize;
        const auto part = m_data.view(at, take);
        if (!part)
            return std::nullopt;
        out.append(*part);
    }
    return out;
}

std::optional<quint32> OleCompoundFile::findRootChild(const QString& name) const
{
    // The children of a storage form a tree through left and right links; a
    // damaged file can make them loop, so each entry is visited once.
    QList<quint32> pending{m_entries.first().child};
    QSet<quint32> seen;
    while (!pending.isEmpty()) {
        const quint32 id = pending.takeLast();
        if (id == NoStream || id >= quint64(m_entries.size()) || id == 0 || seen.contains(id))
            continue;
        seen.insert(id);
        const Entry& e = m_entries[id];
        if (e.name.compare(name, Qt::CaseInsensitive) == 0)
            return id;
        pending.append(e.left);
        pending.append(e.right);
    }
    return std::nullopt;
}

std::optional<QByteArray> OleCompoundFile::rootStream(const QString& name, quint64 maxSize) const
{
    if (m_entries.isEmpty())
        return std::nullopt;
    const auto id = findRootChild(name);
    if (!id)
        return std::nullopt;
    const Entry& e = m_entries[*id];
    if (e.type != TypeStream || e.size > maxSize)
        return std::nullopt;
    if (e.size < m_miniCutoff)
        return readMini(e.start, e.size);
    const quint64 needed = (e.size + m_sectorSize - 1) / m_sectorSize;
    const auto sectors = chain(m_fat, e.start, needed);
    if (!sectors)
        return std::nullopt;
    return readSectors(*sectors, e.size);
}
