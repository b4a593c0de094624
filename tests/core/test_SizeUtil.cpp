// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SizeUtil.h"

#include <QLocale>

#include "support/TestLocale.h"
#include "support/TestText.h"

#include <gtest/gtest.h>

TEST(ByteSizes, ChosenUnitTextsFollowTheLocale)
{
    struct Case {
        double bytes;
        qint16 decimals;
        const char* expected;
    } cases[] = {
        {1023, 0, "1023 Byte"},
        {1024, 0, "1 KB"},
        {1536, 1, "1,5 KB"},
        {1048576, 0, "1 MB"},
        {1048575, 0, "1024 KB"},
        {3.0 * 1073741824, 0, "3 GB"},
        {5000.0 * 1073741824, 2, "5000,00 GB"},
        {2.5 * 1048576, 2, "2,50 MB"},
        {1280, 0, "1 KB"},
        {1536, 0, "2 KB"},
    };
    for (const auto& c : cases) {
        const QVariant text = FormatByteSize(c.bytes, 4, c.decimals);
        EXPECT_EQ(text.typeId(), QMetaType::QString) << c.bytes;
        EXPECT_EQ(text.toString(), u(c.expected)) << c.bytes;
    }
    // Whole numbers of other types and sizes given as text work alike.
    EXPECT_EQ(FormatByteSize(qint64(1024), 4, 0).toString(), u("1 KB"));
    EXPECT_EQ(FormatByteSize(u("1,5 KB"), 4, 1).toString(), u("1,5 KB"));
    EXPECT_EQ(FormatByteSize(u("1,5"), 4, 1).toString(), u("1,5 Byte"));

    // Other locales use their separator, and no thousands separator.
    const ScopedLocale english(QLocale::English);
    EXPECT_EQ(FormatByteSize(1536, 4, 1).toString(), u("1.5 KB"));
    EXPECT_EQ(FormatByteSize(2000.0 * 1073741824, 4, 0).toString(), u("2000 GB"));
}

TEST(ByteSizes, ZeroAndFixedUnitsGiveNumbers)
{
    for (const QVariant& zero : {QVariant(0), QVariant(0.0), QVariant(u("0 KB")), QVariant(u("")),
                                 QVariant(u("kein Wert")), QVariant()}) {
        for (qint32 unit : {0, 2, 4}) {
            const QVariant result = FormatByteSize(zero, unit, 1);
            EXPECT_NE(result.typeId(), QMetaType::QString) << zero.toString().toStdString();
            EXPECT_EQ(result.toDouble(), 0.0);
        }
    }

    EXPECT_DOUBLE_EQ(FormatByteSize(1536, 1, 1).toDouble(), 1.5);
    EXPECT_DOUBLE_EQ(FormatByteSize(1536, 1, 0).toDouble(), 2.0); // half away from zero
    EXPECT_DOUBLE_EQ(FormatByteSize(3145728, 2, 0).toDouble(), 3.0);
    EXPECT_DOUBLE_EQ(FormatByteSize(1073741824.0 * 1.25, 3, 1).toDouble(), 1.3);
    EXPECT_DOUBLE_EQ(FormatByteSize(2.5, 0, 0).toDouble(), 3.0);
    EXPECT_DOUBLE_EQ(FormatByteSize(u("2 MB"), 1, 0).toDouble(), 2048.0);
    EXPECT_EQ(FormatByteSize(1536, 1, 1).typeId(), QMetaType::Double);
}

TEST(ParseByteSize, LeadingNumberTimesTheUnit)
{
    struct Case {
        const char* text;
        double bytes;
    } cases[] = {
        {"1,5 KB", 1536}, {"2 MB", 2097152},           {"100", 100},     {"", 0},
        {"abc", 0},       {"1.5gb", 1.5 * 1073741824}, {"-2 kb", -2048}, {"  7 Byte", 7},
        {"1e3", 1000},    {"1,5,5 KB", 1536},          {"12abc", 12},    {".5 KB", 512},
        {"1e999", 0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(ParseByteSize(u(c.text)), c.bytes) << c.text;
}
