// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>
#include <optional>

// The one way untrusted bytes (PE, icon, OLE, zip data) are read: every read
// names an offset and a length, both are checked against the data before a
// byte is touched, and offsets are added in 64 bits so that no sum wraps.
// A failed read gives std::nullopt; nothing ever reads outside the view.
class ByteReader {
public:
    ByteReader() = default;
    ByteReader(const char* data, qint64 size) : m_data(data), m_size(size < 0 ? 0 : quint64(size))
    {
    }
    explicit ByteReader(QByteArrayView view) : ByteReader(view.data(), view.size()) {}

    quint64 size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }

    // True when [offset, offset + length) lies inside the data.
    bool has(quint64 offset, quint64 length) const
    {
        return offset <= m_size && length <= m_size - offset;
    }

    std::optional<quint8> u8(quint64 offset) const;
    std::optional<quint16> u16le(quint64 offset) const;
    std::optional<quint32> u32le(quint64 offset) const;
    std::optional<quint64> u64le(quint64 offset) const;
    std::optional<qint16> i16le(quint64 offset) const;
    std::optional<qint32> i32le(quint64 offset) const;
    std::optional<quint16> u16be(quint64 offset) const;
    std::optional<quint32> u32be(quint64 offset) const;

    // A reader over a part of this one; nullopt when the part does not fit.
    std::optional<ByteReader> sub(quint64 offset, quint64 length) const;
    // A copy of the bytes; nullopt when they do not fit.
    std::optional<QByteArray> bytes(quint64 offset, quint64 length) const;
    // A view of the bytes without copying (valid as long as the data lives).
    std::optional<QByteArrayView> view(quint64 offset, quint64 length) const;

    // Raw access for code that has already checked its range with has().
    const char* data() const { return m_data; }

private:
    template <typename T, bool BigEndian> std::optional<T> read(quint64 offset) const;

    const char* m_data = nullptr;
    quint64 m_size = 0;
};
