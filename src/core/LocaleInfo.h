// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>

class QLocale;

// The regional settings of the user (Mode 0: the locale the program formats
// with, QLocale()) or of the system (any other Mode: QLocale::system()), as
// texts in the forms Windows programs know: orderings and positions as digits,
// groupings as "3;0", format strings with "tt" for AM/PM. Values that only a
// Windows locale has (LocaleID, LanguageID, CountryCode) come from a table of
// the common locales and stay empty for others.
class LocaleInfo {
public:
    LocaleInfo(); // Mode 0, values read

    qint32 Mode() const { return m_mode; }
    void setMode(qint32 mode); // also refreshes
    // Reads every value again (after the user changed the locale).
    void Refresh();

    QString CountryNameEnglish() const { return value(CountryNameEnglishItem); }
    QString CountryName() const { return value(CountryNameItem); }
    QString CountryCode() const { return value(CountryCodeItem); }
    QString LanguageNameEnglish() const { return value(LanguageNameEnglishItem); }
    QString LanguageName() const { return value(LanguageNameItem); }
    QString LanguageID() const { return value(LanguageIDItem); }
    QString CurrencyCharacterPositionNegative() const { return value(CurrencyPosNegativeItem); }
    QString CurrencyCharacterPositionPositive() const { return value(CurrencyPosPositiveItem); }
    QString SignPositivePosition() const { return value(SignPositivePositionItem); }
    QString SignNegativePosition() const { return value(SignNegativePositionItem); }
    QString SignNegative() const { return value(SignNegativeItem); }
    QString SignPositive() const { return value(SignPositiveItem); }
    QString TimePMDesignator() const { return value(TimePMItem); }
    QString TimeAMDesignator() const { return value(TimeAMItem); }
    QString DateFormatLongOrdering() const { return value(DateLongOrderingItem); }
    QString DateFormatShortOrdering() const { return value(DateShortOrderingItem); }
    QString TimeFormatString() const { return value(TimeFormatItem); }
    QString DateFormatShort() const { return value(DateFormatShortItem); }
    QString DateFormatLong() const { return value(DateFormatLongItem); }
    QString TimeSeparator() const { return value(TimeSeparatorItem); }
    QString DateSeparator() const { return value(DateSeparatorItem); }
    QString CurrencyDecimalPlacesInternational() const { return value(CurrencyPlacesIntlItem); }
    QString CurrencyDecimalPlaces() const { return value(CurrencyPlacesItem); }
    QString CurrencyDigitsPerGroup() const { return value(CurrencyGroupingItem); }
    QString CurrencyThousandSeparator() const { return value(CurrencyThousandItem); }
    QString CurrencyDecimalSeparator() const { return value(CurrencyDecimalItem); }
    QString DecimalLeadingZeros() const { return value(LeadingZerosItem); }
    QString DecimalPlaces() const { return value(DecimalPlacesItem); }
    QString NumberDigitsPerGroup() const { return value(NumberGroupingItem); }
    QString LocaleID() const { return value(LocaleIDItem); }
    QString MeasureSystem() const { return value(MeasureSystemItem); }
    QString ItemListSeparator() const { return value(ListSeparatorItem); }
    QString CurrencyInternationalCharacter() const { return value(CurrencyIntlItem); }
    QString NumberSeparatorThousand() const { return value(NumberThousandItem); }
    QString DecimalSeparator() const { return value(DecimalSeparatorItem); }
    QString CurrencyCharacter() const { return value(CurrencyCharacterItem); }

private:
    enum Item {
        CountryNameEnglishItem,
        CountryNameItem,
        CountryCodeItem,
        LanguageNameEnglishItem,
        LanguageNameItem,
        LanguageIDItem,
        CurrencyPosNegativeItem,
        CurrencyPosPositiveItem,
        SignPositivePositionItem,
        SignNegativePositionItem,
        SignNegativeItem,
        SignPositiveItem,
        TimePMItem,
        TimeAMItem,
        DateLongOrderingItem,
        DateShortOrderingItem,
        TimeFormatItem,
        DateFormatShortItem,
        DateFormatLongItem,
        TimeSeparatorItem,
        DateSeparatorItem,
        CurrencyPlacesIntlItem,
        CurrencyPlacesItem,
        CurrencyGroupingItem,
        CurrencyThousandItem,
        CurrencyDecimalItem,
        LeadingZerosItem,
        DecimalPlacesItem,
        NumberGroupingItem,
        LocaleIDItem,
        MeasureSystemItem,
        ListSeparatorItem,
        CurrencyIntlItem,
        NumberThousandItem,
        DecimalSeparatorItem,
        CurrencyCharacterItem,
        ItemCount
    };

    QString value(Item item) const { return m_values[item]; }
    void readNames(const QLocale& locale);
    void readNumbers(const QLocale& locale);
    void readCurrency(const QLocale& locale);
    void readDates(const QLocale& locale);

    qint32 m_mode = 0;
    std::array<QString, ItemCount> m_values;
};
