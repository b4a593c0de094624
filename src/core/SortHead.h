// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstring>

// The first 16 bytes of a sort key as two numbers that order as the bytes
// do, zero-padded: a sort of many names compares these first and looks at
// the whole keys only where they agree. (A key holding no NUL byte, as a
// file name, sorts before its longer extensions either way.)
inline std::array<quint64, 2> SortHead(QByteArrayView key)
{
    uchar head[16] = {};
    std::memcpy(head, key.data(), size_t(std::min<qsizetype>(key.size(), 16)));
    return {qFromBigEndian<quint64>(head), qFromBigEndian<quint64>(head + 8)};
}
