// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/LocaleInfo.h"

#include <QLocale>

namespace {
// Windows locale numbers and telephone country codes of the common locales;
// Linux locales have neither, so anything else leaves them empty.
struct KnownLocale {
    QLocale::Language language;
    QLocale::Territory territory;
    quint32 lcid;
    int countryCode;
};

constexpr KnownLocale kKnownLocales[] = {
    {QLocale::German, QLocale::Germany, 0x0407, 49},
    {QLocale::German, QLocale::Switzerland, 0x0807, 41},
    {QLocale::German, QLocale::Austria, 0x0C07, 43},
    {QLocale::German, QLocale::Luxembourg, 0x1007, 352},
    {QLocale::German, QLocale::Liechtenstein, 0x1407, 423},
    {QLocale::English, QLocale::UnitedStates, 0x0409, 1},
    {QLocale::English, QLocale::UnitedKingdom, 0x0809, 44},
    {QLocale::English, QLocale::Australia, 0x0C09, 61},
    {QLocale::English, QLocale::Canada, 0x1009, 2},
    {QLocale::English, QLocale::Ireland, 0x1809, 353},
    {QLocale::French, QLocale::France, 0x040C, 33},
    {QLocale::French, QLocale::Belgium, 0x080C, 32},
    {QLocale::French, QLocale::Canada, 0x0C0C, 2},
    {QLocale::French, QLocale::Switzerland, 0x100C, 41},
    {QLocale::French, QLocale::Luxembourg, 0x140C, 352},
    {QLocale::Italian, QLocale::Italy, 0x0410, 39},
    {QLocale::Italian, QLocale::Switzerland, 0x0810, 41},
    {QLocale::Spanish, QLocale::Spain, 0x0C0A, 34},
    {QLocale::Dutch, QLocale::Netherlands, 0x0413, 31},
    {QLocale::Dutch, QLocale::Belgium, 0x0813, 32},
    {QLocale::Polish, QLocale::Poland, 0x0415, 48},
    {QLocale::Portuguese, QLocale::Brazil, 0x0416, 55},
    {QLocale::Portuguese, QLocale::Portugal, 0x0816, 351},
    {QLocale::Danish, QLocale::Denmark, 0x0406, 45},
    {QLocale::Swedish, QLocale::Sweden, 0x041D, 46},
    {QLocale::NorwegianBokmal, QLocale::Norway, 0x0414, 47},
    {QLocale::Finnish, QLocale::Finland, 0x040B, 358},
    {QLocale::Czech, QLocale::Czechia, 0x0405, 420},
    {QLocale::Turkish, QLocale::Turkey, 0x041F, 90},
    {QLocale::Russian, QLocale::Russia, 0x0419, 7},
    {QLocale::Japanese, QLocale::Japan, 0x0411, 81},
    {QLocale::Chinese, QLocale::China, 0x0804, 86},
    {QLocale::C, QLocale::AnyTerritory, 0x007F, 0},
};

const KnownLocale* knownLocale(const QLocale& locale)
{
    for (const KnownLocale& known : kKnownLocales)
        if (known.language == locale.language() && known.territory == locale.territory())
            return &known;
    return nullptr;
}

int countryCodeOf(QLocale::Territory territory)
{
    for (const KnownLocale& known : kKnownLocales)
        if (known.territory == territory && known.countryCode > 0)
            return known.countryCode;
    return 0;
}

// Currency amounts written with "$" for the symbol, "1.1" for the number and
// "-" for the sign, indexed by the Windows pattern numbers.
const char* const kPositiveCurrency[] = {"$1.1", "1.1$", "$ 1.1", "1.1 $"};
const char* const kNegativeCurrency[] = {
    "($1.1)", "-$1.1",  "$-1.1",  "$1.1-",  "(1.1$)", "-1.1$",  "1.1-$",   "1.1$-",
    "-1.1 $", "-$ 1.1", "1.1 $-", "$ 1.1-", "$ -1.1", "1.1- $", "($ 1.1)", "(1.1 $)"};
// Sign position (0 parentheses, 1 before all, 2 after all, 3 just before the
// symbol, 4 just after it) of each negative pattern.
const char kSignPosition[] = "0142013211224300";

int currencyDigits(const QLocale& locale)
{
    const QString text = locale.toCurrencyString(1.0);
    const qsizetype point = text.lastIndexOf(locale.decimalPoint());
    if (point < 0)
        return 0;
    int digits = 0;
    for (qsizetype i = point + 1; i < text.size() && text.at(i).isDigit(); ++i)
        ++digits;
    return digits;
}

QString currencyShape(const QLocale& locale, double amount)
{
    const QString symbol = locale.currencySymbol();
    if (symbol.isEmpty())
        return {};
    QString text = locale.toCurrencyString(amount);
    text.replace(symbol, QStringLiteral("$"));
    text.replace(locale.toString(1.1, 'f', currencyDigits(locale)), QStringLiteral("1.1"));
    text.replace(locale.negativeSign(), QStringLiteral("-"));
    QString shape;
    for (const QChar c : text) {
        if (c.isSpace())
            shape += QLatin1Char(' ');
        else if (c.category() != QChar::Other_Format) // bidi marks
            shape += c;
    }
    return shape;
}

template <std::size_t N> int patternIndex(const QString& shape, const char* const (&patterns)[N])
{
    for (std::size_t i = 0; i < N; ++i)
        if (shape == QLatin1String(patterns[i]))
            return int(i);
    return -1;
}

QString grouping(const QLocale& locale)
{
    const QString separator = locale.groupSeparator();
    const QString text = locale.toString(1234567890.0, 'f', 0);
    if (separator.isEmpty() || !text.contains(separator))
        return QStringLiteral("0");
    const QStringList groups = text.split(separator);
    const qsizetype primary = groups.last().size();
    if (groups.size() >= 3 && groups.at(groups.size() - 2).size() != primary)
        return QStringLiteral("%1;%2;0").arg(primary).arg(groups.at(groups.size() - 2).size());
    return QStringLiteral("%1;0").arg(primary);
}

// Walks the letter runs of a date or time format, skipping quoted text.
template <typename Visit> void forEachRun(const QString& format, Visit visit)
{
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\'')) {
            const qsizetype close = format.indexOf(QLatin1Char('\''), i + 1);
            i = close < 0 ? format.size() : close + 1;
            continue;
        }
        qsizetype end = i + 1;
        if (c.isLetter())
            while (end < format.size() && format.at(end) == c)
                ++end;
        visit(c, end - i, end);
        i = end;
    }
}

// 0 month-day-year, 1 day-month-year, 2 year-month-day.
QString dateOrdering(const QString& format)
{
    QString order;
    forEachRun(format, [&](QChar c, qsizetype length, qsizetype) {
        QChar part;
        if (c == QLatin1Char('d') && length <= 2)
            part = QLatin1Char('D'); // "ddd" and longer are the weekday
        else if (c == QLatin1Char('M'))
            part = QLatin1Char('M');
        else if (c == QLatin1Char('y'))
            part = QLatin1Char('Y');
        if (!part.isNull() && !order.contains(part))
            order += part;
    });
    if (order == QLatin1String("MDY"))
        return QStringLiteral("0");
    if (order == QLatin1String("DMY"))
        return QStringLiteral("1");
    if (order == QLatin1String("YMD"))
        return QStringLiteral("2");
    return {};
}

// The character that follows the first run of one of `letters`.
QString separatorAfter(const QString& format, const QString& letters)
{
    QString found;
    forEachRun(format, [&](QChar c, qsizetype, qsizetype end) {
        if (found.isEmpty() && letters.contains(c) && end < format.size() &&
            !format.at(end).isLetter() && format.at(end) != QLatin1Char('\''))
            found = format.at(end);
    });
    return found;
}

// A Qt time format in the Windows form: "tt" for AM/PM, no time zone.
QString windowsTimeFormat(const QString& format)
{
    QString out;
    qsizetype last = 0;
    forEachRun(format, [&](QChar c, qsizetype length, qsizetype end) {
        const qsizetype start = end - length;
        if (start < last)
            return;                            // the "P" of an "AP" already written
        out += format.mid(last, start - last); // quoted text skipped by the walk
        last = end;
        if (c == QLatin1Char('t'))
            return;
        if (c == QLatin1Char('A') || c == QLatin1Char('a')) {
            out += QStringLiteral("tt");
            if (end < format.size() && format.at(end).toLower() == QLatin1Char('p'))
                last = end + 1;
            return;
        }
        if (c == QLatin1Char('P') || c == QLatin1Char('p'))
            return;
        out += format.mid(start, length);
    });
    out += format.mid(last);
    return out.simplified();
}
} // namespace

LocaleInfo::LocaleInfo()
{
    Refresh();
}

void LocaleInfo::setMode(qint32 mode)
{
    m_mode = mode;
    Refresh();
}

void LocaleInfo::Refresh()
{
    const QLocale locale = m_mode == 0 ? QLocale() : QLocale::system();
    m_values.fill(QString());
    readNames(locale);
    readNumbers(locale);
    readCurrency(locale);
    readDates(locale);
}

void LocaleInfo::readNames(const QLocale& locale)
{
    m_values[CountryNameEnglishItem] = QLocale::territoryToString(locale.territory());
    m_values[CountryNameItem] = locale.nativeTerritoryName();
    m_values[LanguageNameEnglishItem] = QLocale::languageToString(locale.language());
    m_values[LanguageNameItem] = locale.nativeLanguageName();
    if (const int code = countryCodeOf(locale.territory()))
        m_values[CountryCodeItem] = QString::number(code);
    if (const KnownLocale* known = knownLocale(locale)) {
        m_values[LanguageIDItem] =
            QStringLiteral("%1").arg(known->lcid & 0xFFFF, 4, 16, QLatin1Char('0'));
        m_values[LocaleIDItem] = QString::number(known->lcid);
    }
    m_values[MeasureSystemItem] = locale.measurementSystem() == QLocale::MetricSystem
                                      ? QStringLiteral("0")
                                      : QStringLiteral("1");
}

void LocaleInfo::readNumbers(const QLocale& locale)
{
    m_values[SignNegativeItem] = locale.negativeSign();
    m_values[SignPositiveItem] = locale.positiveSign();
    m_values[DecimalSeparatorItem] = locale.decimalPoint();
    m_values[NumberThousandItem] = locale.groupSeparator();
    m_values[NumberGroupingItem] = grouping(locale);
    const QString half = locale.toString(0.5, 'f', 1);
    m_values[LeadingZerosItem] =
        half.startsWith(locale.zeroDigit()) ? QStringLiteral("1") : QStringLiteral("0");
    // A number's own decimals are not a locale value on Linux; the currency's
    // are the nearest the locale knows.
    m_values[DecimalPlacesItem] = QString::number(currencyDigits(locale));
    // The list separator follows the decimal separator, as Windows sets it.
    m_values[ListSeparatorItem] =
        locale.decimalPoint() == QLatin1String(",") ? QStringLiteral(";") : QStringLiteral(",");
}

void LocaleInfo::readCurrency(const QLocale& locale)
{
    m_values[CurrencyCharacterItem] = locale.currencySymbol();
    m_values[CurrencyIntlItem] = locale.currencySymbol(QLocale::CurrencyIsoCode);
    m_values[CurrencyPlacesItem] = QString::number(currencyDigits(locale));
    m_values[CurrencyPlacesIntlItem] = m_values[CurrencyPlacesItem];
    m_values[CurrencyThousandItem] = locale.groupSeparator();
    m_values[CurrencyDecimalItem] = locale.decimalPoint();
    m_values[CurrencyGroupingItem] = grouping(locale);

    const int positive = patternIndex(currencyShape(locale, 1.1), kPositiveCurrency);
    if (positive >= 0)
        m_values[CurrencyPosPositiveItem] = QString::number(positive);
    const int negative = patternIndex(currencyShape(locale, -1.1), kNegativeCurrency);
    if (negative >= 0) {
        const QChar sign = QLatin1Char(kSignPosition[negative]);
        m_values[CurrencyPosNegativeItem] = QString::number(negative);
        m_values[SignNegativePositionItem] = sign;
        // Parentheses never enclose a positive amount: its sign goes before the symbol.
        m_values[SignPositivePositionItem] =
            sign == QLatin1Char('0') ? QStringLiteral("3") : QString(sign);
    }
}

void LocaleInfo::readDates(const QLocale& locale)
{
    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    const QString longDate = locale.dateFormat(QLocale::LongFormat);
    const QString time = locale.timeFormat(QLocale::LongFormat);
    m_values[DateFormatShortItem] = shortDate;
    m_values[DateFormatLongItem] = longDate;
    m_values[DateShortOrderingItem] = dateOrdering(shortDate);
    m_values[DateLongOrderingItem] = dateOrdering(longDate);
    m_values[DateSeparatorItem] = separatorAfter(shortDate, QStringLiteral("dMy"));
    m_values[TimeFormatItem] = windowsTimeFormat(time);
    m_values[TimeSeparatorItem] = separatorAfter(time, QStringLiteral("hH"));
    m_values[TimeAMItem] = locale.amText();
    m_values[TimePMItem] = locale.pmText();
}
