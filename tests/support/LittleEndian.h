// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtEndian>

// Little-endian numbers appended to the binary fixtures the tests build.
inline void append16(QByteArray& bytes, quint16 value)
{
    char raw[2];
    qToLittleEndian(value, raw);
    bytes.append(raw, 2);
}

inline void append32(QByteArray& bytes, quint32 value)
{
    char raw[4];
    qToLittleEndian(value, raw);
    bytes.append(raw, 4);
}

inline void append64(QByteArray& bytes, quint64 value)
{
    char raw[8];
    qToLittleEndian(value, raw);
    bytes.append(raw, 8);
}

// A run of header fields of one width.
template <typename... Values> void append16s(QByteArray& bytes, Values... values)
{
    (append16(bytes, quint16(values)), ...);
}

template <typename... Values> void append32s(QByteArray& bytes, Values... values)
{
    (append32(bytes, quint32(values)), ...);
}

template <typename... Values> void append64s(QByteArray& bytes, Values... values)
{
    (append64(bytes, quint64(values)), ...);
}
