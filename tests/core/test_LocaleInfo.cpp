// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/LocaleInfo.h"

#include <QLocale>

#include "support/TestLocale.h"
#include "support/TestText.h"

#include <gtest/gtest.h>

#include <memory>

TEST(Locales, GermanValues)
{
    const LocaleInfo info;
    EXPECT_EQ(info.Mode(), 0);
    EXPECT_EQ(info.DecimalSeparator(), u(","));
    EXPECT_EQ(info.NumberSeparatorThousand(), u("."));
    EXPECT_EQ(info.CurrencyCharacter(), u("€"));
    EXPECT_EQ(info.CountryCode(), u("49"));
    EXPECT_EQ(info.LanguageID(), u("0407"));
    EXPECT_EQ(info.LocaleID(), u("1031"));
    EXPECT_EQ(info.CountryNameEnglish(), u("Germany"));
    EXPECT_EQ(info.DateFormatShortOrdering(), u("1"));
    EXPECT_EQ(info.DateFormatLongOrdering(), u("1"));
    EXPECT_EQ(info.DateSeparator(), u("."));
    EXPECT_EQ(info.TimeSeparator(), u(":"));
    EXPECT_EQ(info.TimeFormatString(), u("HH:mm:ss"));
    EXPECT_EQ(info.MeasureSystem(), u("0"));
    EXPECT_EQ(info.ItemListSeparator(), u(";"));
    EXPECT_EQ(info.CurrencyCharacterPositionPositive(), u("3")); // 1,10 €
    EXPECT_EQ(info.CurrencyCharacterPositionNegative(), u("8")); // -1,10 €
    EXPECT_EQ(info.SignNegativePosition(), u("1"));
    EXPECT_EQ(info.NumberDigitsPerGroup(), u("3;0"));
    EXPECT_EQ(info.CurrencyDecimalPlaces(), u("2"));
    EXPECT_EQ(info.DecimalLeadingZeros(), u("1"));
}

TEST(Locales, UnitedStatesValues)
{
    const ScopedLocale english(QLocale::English);
    const LocaleInfo info;
    EXPECT_EQ(info.DecimalSeparator(), u("."));
    EXPECT_EQ(info.ItemListSeparator(), u(","));
    EXPECT_EQ(info.DateFormatShortOrdering(), u("0"));
    EXPECT_EQ(info.TimeFormatString(), u("h:mm:ss tt"));
    EXPECT_EQ(info.MeasureSystem(), u("1"));
    EXPECT_EQ(info.LanguageID(), u("0409"));
    EXPECT_EQ(info.LocaleID(), u("1033"));
    EXPECT_EQ(info.CountryCode(), u("1"));
    EXPECT_EQ(info.CurrencyCharacterPositionPositive(), u("0")); // $1.10
    EXPECT_EQ(info.CurrencyCharacterPositionNegative(), u("0")); // ($1.10)
    EXPECT_EQ(info.SignNegativePosition(), u("0"));
    EXPECT_EQ(info.SignPositivePosition(), u("3"));
}

TEST(Locales, TableGapsStayEmptyAndGroupingsDiffer)
{
    auto welshLocale =
        std::make_unique<ScopedLocale>(QLocale(QLocale::Welsh, QLocale::UnitedKingdom));
    LocaleInfo welsh;
    EXPECT_EQ(welsh.LocaleID(), QString());
    EXPECT_EQ(welsh.LanguageID(), QString());
    EXPECT_EQ(welsh.CountryCode(), u("44"));

    welshLocale.reset();
    const ScopedLocale india(QLocale(QLocale::English, QLocale::India));
    welsh.Refresh();
    EXPECT_EQ(welsh.NumberDigitsPerGroup(), u("3;2;0"));
    EXPECT_EQ(welsh.CountryNameEnglish(), u("India"));
}

TEST(Locales, ModeChoosesUserOrSystemAndRefreshRereads)
{
    LocaleInfo info;
    EXPECT_EQ(info.DecimalSeparator(), u(","));

    info.setMode(1);
    EXPECT_EQ(info.Mode(), 1);
    EXPECT_EQ(info.DecimalSeparator(), QLocale::system().decimalPoint());
    EXPECT_EQ(info.LanguageNameEnglish(), QLocale::languageToString(QLocale::system().language()));

    info.setMode(0);
    const ScopedLocale french(QLocale(QLocale::French, QLocale::France));
    EXPECT_EQ(info.LanguageID(), u("0407")); // read once, kept until Refresh
    info.Refresh();
    EXPECT_EQ(info.LanguageID(), u("040c"));
    EXPECT_EQ(info.CountryCode(), u("33"));
}
