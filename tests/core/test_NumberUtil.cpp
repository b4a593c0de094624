// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppErrorRecord.h"
#include "core/NumberUtil.h"
#include "support/Raised.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(RoundTo, HalfAwayFromZeroAsWritten)
{
    const struct {
        double value;
        int decimals;
        double expected;
    } cases[] = {
        {2.5, 0, 3},        {-2.5, 0, -3},
        {1.005, 2, 1.01},   {-1.005, 2, -1.01},
        {0.125, 2, 0.13},   {1.23449, 3, 1.234},
        {1234.5, -2, 1200}, {0.0, 2, 0},
        {1e300, 2, 1e300},  {0.333333333, 6, 0.333333},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(RoundTo(c.value, c.decimals), c.expected) << c.value << " @" << c.decimals;
    EXPECT_EQ(RoundTo(std::numeric_limits<double>::quiet_NaN(), 2), 0);
    // A value that rounds to nothing comes back as a plain 0, not -0.
    EXPECT_FALSE(std::signbit(RoundTo(-0.001, 2)));
}

TEST(RoundToStep, KeepsFourDecimalsItsRangeAndMultiplesOfTheStep)
{
    EXPECT_EQ(RoundToStep(1.0 / 3, 2, 0).units, 3300);
    // Five and six places still hold only four.
    EXPECT_EQ(RoundToStep(1.0 / 3, 6, 0).units, 3333);
    EXPECT_EQ(RoundToStep(-2.675, 2, 0).units, -26800);
    EXPECT_DOUBLE_EQ(RoundToStep(922337203685477.0, 2, 0).toDouble(), 922337203685477.0);
    for (double tooLarge : {1e15, -1e15, std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(Raised([&] { RoundToStep(tooLarge, 2, 0); }).Number, RuntimeError::Overflow)
            << tooLarge;
    }

    // Steps of 5 hundredths: 1.22 goes down to 1.20, 1.23 up to 1.25.
    EXPECT_EQ(RoundToStep(1.22, 2, 5).units, 12000);
    EXPECT_EQ(RoundToStep(1.23, 2, 5).units, 12500);
    EXPECT_EQ(RoundToStep(1.25, 2, 5).units, 12500);
    EXPECT_EQ(RoundToStep(1.98, 2, 5).units, 20000);
    // Whole numbers and negative fractions are left as rounded.
    EXPECT_EQ(RoundToStep(7.0, 2, 5).units, 70000);
    EXPECT_EQ(RoundToStep(-1.23, 2, 5).units, -12300);
}
