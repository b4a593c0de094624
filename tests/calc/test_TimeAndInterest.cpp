// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/pInterestCalc.h"
#include "calc/pTimeCalc.h"
#include "support/Raised.h"

#include "CalcTestLocale.h"

#include <gtest/gtest.h>

namespace {
QString s(const char* text)
{
    return QString::fromUtf8(text);
}
} // namespace

TEST(TimeCalc, AddsDurationsWithoutWrappingHours)
{
    pTimeCalc calc;
    EXPECT_EQ(calc.SumText(), s("00:00:00"));
    calc.Add(s("0"), s("0"), s("0"));
    EXPECT_EQ(calc.SumText(), s("00:00:00"));
    calc.Add(s("1"), s("30"), s("0"));
    calc.Add(s("1"), s("30"), s("0"));
    EXPECT_EQ(calc.SumText(), s("03:00:00"));

    calc.Reset();
    calc.Add(s("0"), s("90"), s("90"));
    EXPECT_EQ(calc.SumText(), s("01:31:30"));

    calc.Reset();
    calc.Add(s("25"), s("0"), s("0"));
    EXPECT_EQ(calc.SumText(), s("25:00:00"));
    calc.Add(s("100"), s("0"), s("4000"));
    EXPECT_EQ(calc.SumText(), s("126:06:40"));
}

TEST(TimeCalc, FailuresLeaveTheSum)
{
    pTimeCalc calc;
    calc.Add(s("1"), s("0"), s("0"));
    // 596523 hours still fit 32-bit seconds, 596524 do not.
    EXPECT_EQ(Raised([&] { calc.Add(s("596524"), s("0"), s("0")); }).Number,
              RuntimeError::Overflow);
    EXPECT_EQ(Raised([&] { calc.Add(s("596523"), s("59"), s("60")); }).Number,
              RuntimeError::Overflow);
    EXPECT_EQ(Raised([&] { calc.Add(s("99999999999999999999"), s("0"), s("0")); }).Number,
              RuntimeError::Overflow);
    EXPECT_EQ(Raised([&] { calc.Add(s("1"), s("x"), s("0")); }).Number, RuntimeError::TypeMismatch);
    EXPECT_EQ(Raised([&] { calc.Add(s("1"), s("0"), s("")); }).Number, RuntimeError::TypeMismatch);
    EXPECT_EQ(calc.TotalSeconds(), 3600);

    // Sums beyond 32-bit seconds are shown in full, not wrapped or cut.
    calc.Add(s("596523"), s("0"), s("0"));
    calc.Add(s("596523"), s("0"), s("0"));
    EXPECT_EQ(calc.SumText(), s("1193047:00:00"));
}

TEST(InterestCalc, InitialValuesUnderGermanLocale)
{
    ScopedLocale german(QLocale::German);
    pInterestCalc calc;
    calc.Calculate();
    EXPECT_EQ(calc.InstalmentText, s("562,60"));
    EXPECT_EQ(calc.TotalText, s("27.004,85"));
}

TEST(InterestCalc, RateAsPercentOrFraction)
{
    ScopedLocale english(QLocale::English);
    pInterestCalc calc;
    calc.Calculate();
    EXPECT_EQ(calc.InstalmentText, s("562.60"));
    EXPECT_EQ(calc.TotalText, s("27,004.85"));
    calc.Rate = s("0.04");
    calc.Calculate();
    EXPECT_EQ(calc.InstalmentText, s("562.60"));

    // 1 means 100 % a year, as does 100.
    calc.Rate = s("1");
    calc.Calculate();
    const QString hundredPercent = calc.InstalmentText;
    calc.Rate = s("100");
    calc.Calculate();
    EXPECT_EQ(calc.InstalmentText, hundredPercent);

    calc.Rate = s("0");
    calc.Calculate();
    EXPECT_EQ(calc.InstalmentText, s("520.83"));
    EXPECT_EQ(calc.TotalText, s("25,000.00"));
}

TEST(InterestCalc, FailuresLeaveTheResults)
{
    ScopedLocale german(QLocale::German);
    pInterestCalc calc;
    calc.Calculate();
    for (QString pInterestCalc::*field :
         {&pInterestCalc::Amount, &pInterestCalc::Rate, &pInterestCalc::Months}) {
        pInterestCalc broken = calc;
        broken.*field = s("abc");
        EXPECT_EQ(Raised([&] { broken.Calculate(); }).Number, RuntimeError::TypeMismatch);
        EXPECT_EQ(broken.InstalmentText, s("562,60"));
        EXPECT_EQ(broken.TotalText, s("27.004,85"));
    }
    calc.Months = s("0");
    EXPECT_EQ(Raised([&] { calc.Calculate(); }).Number, RuntimeError::DivisionByZero);
    calc.Rate = s("0");
    EXPECT_EQ(Raised([&] { calc.Calculate(); }).Number, RuntimeError::DivisionByZero);
    calc.Months = s("48");
    calc.Amount = s("1e308");
    calc.Rate = s("100"); // the instalment fits a double, 48 of them do not
    EXPECT_EQ(Raised([&] { calc.Calculate(); }).Number, RuntimeError::Overflow);
    EXPECT_EQ(calc.InstalmentText, s("562,60"));
}
