// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ByteReader.h"

#include <gtest/gtest.h>

#include <limits>

TEST(ByteReader, ReadsInsideAndRefusesOutside)
{
    const QByteArray data = QByteArray::fromHex("0102030405060708ff");
    const ByteReader r(data);
    EXPECT_EQ(*r.u16le(0), 0x0201);
    EXPECT_EQ(*r.u32le(0), 0x04030201u);
    EXPECT_EQ(*r.u32be(0), 0x01020304u);
    EXPECT_EQ(*r.u64le(1), 0xff08070605040302ull);
    EXPECT_EQ(*r.i16le(7), qint16(0xff08));
    EXPECT_FALSE(r.u16le(8));
    EXPECT_FALSE(r.u64le(2));
    EXPECT_TRUE(r.bytes(9, 0));
    EXPECT_FALSE(r.bytes(10, 0));
    // Offsets near the top of the range must not wrap around into the data.
    EXPECT_FALSE(r.has(std::numeric_limits<quint64>::max(), 2));
    EXPECT_FALSE(r.has(2, std::numeric_limits<quint64>::max()));
    const auto part = r.sub(2, 3);
    ASSERT_TRUE(part);
    EXPECT_EQ(part->size(), 3u);
    EXPECT_EQ(*part->u8(2), 5);
    EXPECT_FALSE(part->u8(3));
}
