// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SizeUtil.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {
constexpr double kKilo = 1024.0;
constexpr double kMega = kKilo * 1024.0;
constexpr double kGiga = kMega * 1024.0;

// Half away from zero, as the program's number formats have always rounded.
double roundHalfAway(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    if (!std::isfinite(scaled))
        return value;
    return std::round(scaled) / scale;
}

QLocale userLocale()
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

bool isNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        return true;
    default:
        return false;
    }
}

// The leading number of a text: blanks, sign, digits, one point, exponent.
QString leadingNumber(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        ++i;
    auto digits = [&] {
        const qsizetype from = i;
        while (i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9'))
            ++i;
        return i - from;
    };
    qsizetype count = digits();
    if (i < text.size() && text.at(i) == QLatin1Char('.')) {
        ++i;
        count += digits();
    }
    if (count == 0)
        return {};
    qsizetype end = i;
    if (i < text.size() && (text.at(i) == QLatin1Char('e') || text.at(i) == QLatin1Char('E'))) {
        ++i;
        if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
            ++i;
        if (digits() > 0)
            end = i;
    }
    return text.mid(start, end - start);
}
} // namespace

double ParseByteSize(const QString& text)
{
    if (text.trimmed().isEmpty())
        return 0;
    QString t = text;
    const qsizetype comma = t.indexOf(QLatin1Char(','));
    if (comma >= 0)
        t[comma] = QLatin1Char('.');
    bool ok = false;
    double value = QLocale::c().toDouble(leadingNumber(t), &ok);
    if (!ok || !std::isfinite(value))
        return 0;
    if (t.contains(QLatin1String("KB"), Qt::CaseInsensitive))
        value *= kKilo;
    else if (t.contains(QLatin1String("MB"), Qt::CaseInsensitive))
        value *= kMega;
    else if (t.contains(QLatin1String("GB"), Qt::CaseInsensitive))
        value *= kGiga;
    return value;
}

QVariant FormatByteSize(const QVariant& size, qint32 unit, qint16 decimals)
{
    double bytes = 0;
    if (size.typeId() == QMetaType::QString)
        bytes = ParseByteSize(size.toString());
    else if (isNumber(size))
        bytes = size.toDouble();
    if (bytes == 0 || !std::isfinite(bytes))
        return 0.0;

    const int places = std::clamp<int>(decimals, 0, 15);
    switch (unit) {
    case 1:
        return roundHalfAway(bytes / kKilo, places);
    case 2:
        return roundHalfAway(bytes / kMega, places);
    case 3:
        return roundHalfAway(bytes / kGiga, places);
    case 4:
        break;
    default:
        return roundHalfAway(bytes, places);
    }

    const QLocale locale = userLocale();
    const double value = roundHalfAway(bytes, places);
    if (value < kKilo)
        return locale.toString(value, 'g', 15) + QStringLiteral(" Byte");
    auto inUnit = [&](double divisor, const char* name) {
        return locale.toString(roundHalfAway(value / divisor, places), 'f', places) +
               QLatin1Char(' ') + QLatin1String(name);
    };
    if (value < kMega)
        return inUnit(kKilo, "KB");
    if (value < kGiga)
        return inUnit(kMega, "MB");
    return inUnit(kGiga, "GB");
}
