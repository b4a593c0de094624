// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/pInterestCalc.h"
#include "calc/pTimeCalc.h"
#include "support/Raised.h"

#include "support/TestLocale.h"
#include "support/TestText.h"

#include <gtest/gtest.h>

TEST(TimeCalc, AddsDurationsWithoutWrappingHours)
{
    // Durations as "h:m:s", added one after another to a reset sum.
    const std::pair<QStringList, const char*> cases[] = {
        {{"0:0:0"}, "00:00:00"},
        {{"1:30:0", "1:30:0"}, "03:00:00"},
        {{"0:90:90"}, "01:31:30"},
        {{"25:0:0", "100:0:4000"}, "126:06:40"},
    };
    pTimeCalc calc;
    for (const auto& [durations, sum] : cases) {
        calc.Reset();
        for (const QString& duration : durations) {
            const QStringList hms = duration.split(QLatin1Char(':'));
            calc.Add(hms[0], hms[1], hms[2]);
        }
        EXPECT_EQ(calc.SumText(), u(sum)) << durations.join(' ').toStdString();
    }
}

TEST(TimeCalc, FailuresLeaveTheSum)
{
    pTimeCalc calc;
    calc.Add(u("1"), u("0"), u("0"));
    // 596523 hours still fit 32-bit seconds, one second more does not.
    EXPECT_EQ(Raised([&] { calc.Add(u("596523"), u("59"), u("60")); }).Number,
              RuntimeError::Overflow);
    EXPECT_EQ(Raised([&] { calc.Add(u("99999999999999999999"), u("0"), u("0")); }).Number,
              RuntimeError::Overflow);
    EXPECT_EQ(Raised([&] { calc.Add(u("1"), u("x"), u("0")); }).Number, RuntimeError::TypeMismatch);
    EXPECT_EQ(Raised([&] { calc.Add(u("1"), u("0"), u("")); }).Number, RuntimeError::TypeMismatch);
    EXPECT_EQ(calc.TotalSeconds(), 3600);

    // Sums beyond 32-bit seconds are shown in full, not wrapped or cut.
    calc.Add(u("596523"), u("0"), u("0"));
    calc.Add(u("596523"), u("0"), u("0"));
    EXPECT_EQ(calc.SumText(), u("1193047:00:00"));
}

TEST(InterestCalc, RateAsPercentOrFraction)
{
    pInterestCalc calc;
    const auto instalment = [&calc](const char* rate) {
        calc.Rate = u(rate);
        calc.Calculate();
        return calc.InstalmentText;
    };
    ScopedLocale english(QLocale::English);
    EXPECT_EQ(instalment("4"), u("562.60"));
    EXPECT_EQ(calc.TotalText, u("27,004.85"));
    EXPECT_EQ(instalment("0.04"), u("562.60"));
    EXPECT_EQ(instalment("1"), instalment("100")) << "1 means 100 % a year, as does 100";
    EXPECT_EQ(instalment("0"), u("520.83"));
    EXPECT_EQ(calc.TotalText, u("25,000.00"));
}

TEST(InterestCalc, FailuresLeaveTheResults)
{
    pInterestCalc calc;
    calc.Calculate();
    for (QString pInterestCalc::*field :
         {&pInterestCalc::Amount, &pInterestCalc::Rate, &pInterestCalc::Months}) {
        pInterestCalc broken = calc;
        broken.*field = u("abc");
        EXPECT_EQ(Raised([&] { broken.Calculate(); }).Number, RuntimeError::TypeMismatch);
        EXPECT_EQ(broken.InstalmentText, u("562,60"));
        EXPECT_EQ(broken.TotalText, u("27.004,85"));
    }
    calc.Months = u("0");
    EXPECT_EQ(Raised([&] { calc.Calculate(); }).Number, RuntimeError::DivisionByZero);
    calc.Rate = u("0");
    EXPECT_EQ(Raised([&] { calc.Calculate(); }).Number, RuntimeError::DivisionByZero);
    calc.Months = u("48");
    calc.Amount = u("1e308");
    calc.Rate = u("100"); // the instalment fits a double, 48 of them do not
    EXPECT_EQ(Raised([&] { calc.Calculate(); }).Number, RuntimeError::Overflow);
    EXPECT_EQ(calc.InstalmentText, u("562,60"));
}
