// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ByteReader.h"

template <typename T, bool BigEndian> std::optional<T> ByteReader::read(quint64 offset) const
{
    if (!has(offset, sizeof(T)))
        return std::nullopt;
    using U = std::make_unsigned_t<T>;
    U value = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(m_data + offset);
    for (size_t i = 0; i < sizeof(T); ++i) {
        const size_t shift = BigEndian ? 8 * (sizeof(T) - 1 - i) : 8 * i;
        value = U(value | (U(p[i]) << shift));
    }
    return T(value);
}

std::optional<quint8> ByteReader::u8(quint64 offset) const
{
    return read<quint8, false>(offset);
}

std::optional<quint16> ByteReader::u16le(quint64 offset) const
{
    return read<quint16, false>(offset);
}

std::optional<quint32> ByteReader::u32le(quint64 offset) const
{
    return read<quint32, false>(offset);
}

std::optional<quint64> ByteReader::u64le(quint64 offset) const
{
    return read<quint64, false>(offset);
}

std::optional<qint16> ByteReader::i16le(quint64 offset) const
{
    return read<qint16, false>(offset);
}

std::optional<qint32> ByteReader::i32le(quint64 offset) const
{
    return read<qint32, false>(offset);
}

std::optional<quint16> ByteReader::u16be(quint64 offset) const
{
    return read<quint16, true>(offset);
}

std::optional<quint32> ByteReader::u32be(quint64 offset) const
{
    return read<quint32, true>(offset);
}

std::optional<ByteReader> ByteReader::sub(quint64 offset, quint64 length) const
{
    if (!has(offset, length))
        return std::nullopt;
    return ByteReader(m_data + offset, qint64(length));
}

std::optional<QByteArray> ByteReader::bytes(quint64 offset, quint64 length) const
{
    if (!has(offset, length))
        return std::nullopt;
    return QByteArray(m_data + offset, qsizetype(length));
}

std::optional<QByteArrayView> ByteReader::view(quint64 offset, quint64 length) const
{
    if (!has(offset, length))
        return std::nullopt;
    return QByteArrayView(m_data + offset, qsizetype(length));
}
