// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/LocaleInfo.h"

#include <QLocale>

#include "support/TestLocale.h"
#include "support/TestText.h"

#include <gtest/gtest.h>

// Values the program derives from the locale's formats, not read from a table.
TEST(Locales, DerivedValuesTableGapsAndGroupings)
{
    const LocaleInfo german;
    EXPECT_EQ(german.DateFormatShortOrdering(), u("1"));
    EXPECT_EQ(german.TimeFormatString(), u("HH:mm:ss"));
    EXPECT_EQ(german.ItemListSeparator(), u(";"));
    EXPECT_EQ(german.CurrencyCharacterPositionPositive(), u("3")); // 1,10 €
    EXPECT_EQ(german.CurrencyCharacterPositionNegative(), u("8")); // -1,10 €
    EXPECT_EQ(german.SignNegativePosition(), u("1"));
    EXPECT_EQ(german.NumberDigitsPerGroup(), u("3;0"));

    const ScopedLocale english(QLocale::English);
    const LocaleInfo us;
    EXPECT_EQ(us.ItemListSeparator(), u(","));
    EXPECT_EQ(us.DateFormatShortOrdering(), u("0"));
    EXPECT_EQ(us.TimeFormatString(), u("h:mm:ss tt"));
    EXPECT_EQ(us.MeasureSystem(), u("1"));
    EXPECT_EQ(us.CurrencyCharacterPositionPositive(), u("0")); // $1.10
    EXPECT_EQ(us.CurrencyCharacterPositionNegative(), u("0")); // ($1.10)
    EXPECT_EQ(us.SignPositivePosition(), u("3"));

    // Table gaps stay empty; groupings differ.
    const ScopedLocale welshLocale(QLocale(QLocale::Welsh, QLocale::UnitedKingdom));
    LocaleInfo welsh;
    EXPECT_EQ(welsh.LocaleID(), QString());
    EXPECT_EQ(welsh.LanguageID(), QString());
    EXPECT_EQ(welsh.CountryCode(), u("44"));

    const ScopedLocale india(QLocale(QLocale::English, QLocale::India));
    welsh.Refresh();
    EXPECT_EQ(welsh.NumberDigitsPerGroup(), u("3;2;0"));
}

TEST(Locales, ModeChoosesUserOrSystemAndRefreshRereads)
{
    LocaleInfo info;
    EXPECT_EQ(info.Mode(), 0);
    EXPECT_EQ(info.DecimalSeparator(), u(","));
    // Four hex digits for the language, the decimal number for the locale.
    EXPECT_EQ(info.LanguageID(), u("0407"));
    EXPECT_EQ(info.LocaleID(), u("1031"));

    info.setMode(1);
    EXPECT_EQ(info.DecimalSeparator(), QLocale::system().decimalPoint());

    info.setMode(0);
    const ScopedLocale french(QLocale(QLocale::French, QLocale::France));
    EXPECT_EQ(info.LanguageID(), u("0407")); // read once, kept until Refresh
    info.Refresh();
    EXPECT_EQ(info.LanguageID(), u("040c"));
}
