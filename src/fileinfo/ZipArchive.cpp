// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/ZipArchive.h"

#include <zlib.h>

namespace {
constexpr quint32 LocalSignature = 0x04034b50;
constexpr quint32 CentralSignature = 0x02014b50;
constexpr quint32 EndSignature = 0x06054b50;
constexpr quint32 Zip64EndSignature = 0x06064b50;
constexpr quint32 Zip64LocatorSignature = 0x07064b50;
constexpr quint64 EndSize = 22;
constexpr quint64 CentralSize = 46;
constexpr quint64 LocalSize = 30;
constexpr quint64 MaxComment = 0xFFFF;
constexpr quint16 FlagEncrypted = 0x1;
constexpr quint16 MethodStored = 0;
constexpr quint16 MethodDeflate = 8;
constexpr quint16 Zip64Extra = 0x0001;
// zlib counts its input in 32 bits; larger members are fed in pieces.
constexpr quint64 InflateChunk = 1u << 30;

QByteArray normalisedName(const QString& name)
{
    QByteArray n = name.toUtf8();
    while (n.startsWith('/'))
        n.remove(0, 1);
    return n;
}
} // namespace

bool ZipArchive::hasSignature(const ByteReader& data)
{
    return data.u32le(0) == LocalSignature;
}

bool ZipArchive::open(const ByteReader& data)
{
    m_data = data;
    m_entries.clear();
    quint64 offset = 0;
    quint64 size = 0;
    quint64 count = 0;
    if (!findDirectory(offset, size, count) || count > quint64(MaxEntries))
        return false;
    const auto dir = data.sub(offset, size);
    if (!dir)
        return false;
    quint64 at = 0;
    for (quint64 i = 0; i < count; ++i) {
        Entry entry;
        if (!readEntry(*dir, at, entry)) {
            m_entries.clear();
            return false;
        }
        m_entries.append(entry);
    }
    return true;
}

bool ZipArchive::findDirectory(quint64& offset, quint64& size, quint64& count) const
{
    if (m_data.size() < EndSize)
        return false;
    // The end record sits behind the central directory, followed only by a comment.
    const quint64 last = m_data.size() - EndSize;
    const quint64 first = last > MaxComment ? last - MaxComment : 0;
    std::optional<quint64> end;
    for (quint64 at = last + 1; at-- > first;) {
        if (m_data.u32le(at) == EndSignature) {
            end = at;
            break;
        }
    }
    if (!end || m_data.u16le(*end + 4) != quint16(0) || m_data.u16le(*end + 6) != quint16(0))
        return false; // archives split over several disks are not documents
    count = m_data.u16le(*end + 10).value_or(0);
    size = m_data.u32le(*end + 12).value_or(0);
    offset = m_data.u32le(*end + 16).value_or(0);
    if (count != 0xFFFF && size != 0xFFFFFFFF && offset != 0xFFFFFFFF)
        return true;
    // Zip64: a locator right before the end record points to the larger record.
    if (*end < 20 || m_data.u32le(*end - 20) != Zip64LocatorSignature)
        return false;
    const auto record = m_data.u64le(*end - 12);
    if (!record || m_data.u32le(*record) != Zip64EndSignature)
        return false;
    const auto count64 = m_data.u64le(*record + 32);
    const auto size64 = m_data.u64le(*record + 40);
    const auto offset64 = m_data.u64le(*record + 48);
    if (!count64 || !size64 || !offset64)
        return false;
    count = *count64;
    size = *size64;
    offset = *offset64;
    return true;
}

bool ZipArchive::readEntry(const ByteReader& dir, quint64& at, Entry& entry) const
{
    if (dir.u32le(at) != CentralSignature || !dir.has(at, CentralSize))
        return false;
    entry.flags = *dir.u16le(at + 8);
    entry.method = *dir.u16le(at + 10);
    entry.crc = *dir.u32le(at + 16);
    entry.compressedSize = *dir.u32le(at + 20);
    entry.size = *dir.u32le(at + 24);
    const quint16 nameLength = *dir.u16le(at + 28);
    const quint16 extraLength = *dir.u16le(at + 30);
    const quint16 commentLength = *dir.u16le(at + 32);
    entry.localOffset = *dir.u32le(at + 42);
    const auto name = dir.bytes(at + CentralSize, nameLength);
    const auto extra = dir.sub(at + CentralSize + nameLength, extraLength);
    if (!name || !extra || !dir.has(at + CentralSize + nameLength + extraLength, commentLength))
        return false;
    entry.name = *name;
    at += CentralSize + nameLength + extraLength + commentLength;

    // Values that did not fit in 32 bits are in the Zip64 extra field, in this order.
    for (quint64 x = 0; extra->has(x, 4);) {
        const quint16 id = *extra->u16le(x);
        const quint16 length = *extra->u16le(x + 2);
        if (id == Zip64Extra) {
            quint64 field = x + 4;
            for (quint64* value : {&entry.size, &entry.compressedSize, &entry.localOffset}) {
                if (*value != 0xFFFFFFFF)
                    continue;
                const auto wide = field + 8 <= x + 4 + length ? extra->u64le(field) : std::nullopt;
                if (!wide)
                    return false;
                *value = *wide;
                field += 8;
            }
        }
        x += 4 + quint64(length);
    }
    return true;
}

const ZipArchive::Entry* ZipArchive::find(const QString& name) const
{
    const QByteArray wanted = normalisedName(name);
    for (const Entry& e : m_entries) {
        // Part names of office packages compare without regard to ASCII case.
        if (e.name.compare(wanted, Qt::CaseInsensitive) == 0)
            return &e;
    }
    return nullptr;
}

std::optional<QByteArray> ZipArchive::read(const QString& name, quint64 maxSize) const
{
    const Entry* e = find(name);
    if (!e || (e->flags & FlagEncrypted) || e->size > maxSize ||
        (e->method != MethodStored && e->method != MethodDeflate))
        return std::nullopt;
    // The local header must describe the same member as the directory.
    const quint64 local = e->localOffset;
    if (m_data.u32le(local) != LocalSignature || !m_data.has(local, LocalSize) ||
        m_data.u16le(local + 8) != e->method)
        return std::nullopt;
    const quint16 nameLength = *m_data.u16le(local + 26);
    const quint16 extraLength = *m_data.u16le(local + 28);
    const auto localName = m_data.view(local + LocalSize, nameLength);
    if (!localName || *localName != QByteArrayView(e->name))
        return std::nullopt;
    const auto packed =
        m_data.view(local + LocalSize + nameLength + extraLength, e->compressedSize);
    if (!packed)
        return std::nullopt;
    std::optional<QByteArray> out;
    if (e->method == MethodStored)
        out = e->compressedSize == e->size ? std::optional<QByteArray>(packed->toByteArray())
                                           : std::nullopt;
    else
        out = inflate(*packed, e->size);
    if (!out)
        return std::nullopt;
    const uLong crc =
        crc32_z(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(out->constData()),
                size_t(out->size()));
    if (crc != e->crc)
        return std::nullopt;
    return out;
}

std::optional<QByteArray> ZipArchive::inflate(QByteArrayView packed, quint64 size) const
{
    // One byte more than the directory promises: inflating into it proves the
    // member is larger than it claims, and the output never grows beyond it.
    QByteArray out(qsizetype(size + 1), Qt::Uninitialized);
    z_stream zs{};
    if (inflateInit2(&zs, -MAX_WBITS) != Z_OK)
        return std::nullopt;
    zs.next_out = reinterpret_cast<Bytef*>(out.data());
    quint64 fed = 0;
    int rc = Z_OK;
    while (rc == Z_OK) {
        if (zs.avail_in == 0 && fed < quint64(packed.size())) {
            const quint64 piece = std::min<quint64>(InflateChunk, quint64(packed.size()) - fed);
            zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data() + fed));
            zs.avail_in = uInt(piece);
            fed += piece;
        }
        const quint64 written = quint64(reinterpret_cast<char*>(zs.next_out) - out.data());
        zs.avail_out = uInt(std::min<quint64>(InflateChunk, quint64(out.size()) - written));
        if (zs.avail_out == 0)
            break;
        rc = ::inflate(&zs, Z_NO_FLUSH);
    }
    const quint64 written = quint64(reinterpret_cast<char*>(zs.next_out) - out.data());
    inflateEnd(&zs);
    if (rc != Z_STREAM_END || written != size)
        return std::nullopt;
    out.truncate(qsizetype(size));
    return out;
}
