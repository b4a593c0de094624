// SPDX-License-Identifier: GPL-3.0-or-later
#include "filetimes/DateInput.h"

#include <QRegularExpression>
#include <QTime>

namespace {
// The window two-digit years fall into.
constexpr int kFirstTwoDigitYear = 1930;

// The numeric date pattern in use: the locale's, or the German one where the
// locale names its months.
QString numericPattern(const QLocale& locale)
{
    const QString pattern = locale.dateFormat(QLocale::ShortFormat);
    if (pattern.contains(QLatin1String("MMM")) || !pattern.contains(QLatin1Char('d')) ||
        !pattern.contains(QLatin1Char('M')) || !pattern.contains(QLatin1Char('y')))
        return QStringLiteral("dd.MM.yy");
    return pattern;
}

// A regular expression for the pattern: each field a group of digits, the
// text between them as written (blanks optional), in the pattern's order.
struct DateShape {
    QRegularExpression expression;
    QString order; // "dMy", "Mdy", "yMd" ...
};

DateShape shapeOf(const QString& pattern)
{
    DateShape shape;
    QString regex = QStringLiteral("^");
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('d') || c == QLatin1Char('M') || c == QLatin1Char('y')) {
            while (i < pattern.size() && pattern.at(i) == c)
                ++i;
            shape.order += c;
            regex += c == QLatin1Char('y') ? QStringLiteral("(\\d{4}|\\d{2})")
                                           : QStringLiteral("(\\d{1,2})");
            continue;
        }
        qsizetype end = i;
        while (end < pattern.size() && !QStringLiteral("dMy").contains(pattern.at(end)))
            ++end;
        const QString between = pattern.mid(i, end - i).trimmed();
        regex +=
            QStringLiteral("\\s*") + QRegularExpression::escape(between) + QStringLiteral("\\s*");
        i = end;
    }
    shape.expression = QRegularExpression(regex + QStringLiteral("$"));
    return shape;
}

std::optional<QDate> parseDate(const QString& text, const QLocale& locale)
{
    const DateShape shape = shapeOf(numericPattern(locale));
    const QRegularExpressionMatch match = shape.expression.match(text);
    if (!match.hasMatch() || shape.order.size() != 3)
        return std::nullopt;
    int day = 0;
    int month = 0;
    int year = 0;
    for (int field = 0; field < 3; ++field) {
        const QString digits = match.captured(field + 1);
        const int value = digits.toInt();
        switch (shape.order.at(field).unicode()) {
        case 'd':
            day = value;
            break;
        case 'M':
            month = value;
            break;
        default:
            year = digits.size() == 2
                       ? (value + 1900 < kFirstTwoDigitYear ? value + 2000 : value + 1900)
                       : value;
        }
    }
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<QTime> parseTime(const QString& text)
{
    static const QRegularExpression expression(
        QStringLiteral("^(\\d{1,2}):(\\d{2})(?::(\\d{2}))?$"));
    const QRegularExpressionMatch match = expression.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QTime time(match.captured(1).toInt(), match.captured(2).toInt(),
                     match.captured(3).isEmpty() ? 0 : match.captured(3).toInt());
    if (!time.isValid())
        return std::nullopt;
    return time;
}
} // namespace

QString DateInput::DatePattern(const QLocale& locale)
{
    QString pattern = numericPattern(locale);
    if (!pattern.contains(QLatin1String("yyyy")))
        pattern.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return pattern;
}

QString DateInput::Midnight(const QDate& day, const QLocale& locale)
{
    return locale.toString(day, DatePattern(locale)) + QStringLiteral(" 00:00:00");
}

std::optional<QDateTime> DateInput::Parse(const QString& text, const QLocale& locale)
{
    const QString trimmed = text.trimmed();
    // The time of day is whatever follows the last blank, if it reads as one.
    const qsizetype blank = trimmed.lastIndexOf(QLatin1Char(' '));
    const std::optional<QTime> time =
        parseTime(blank < 0 ? trimmed : trimmed.mid(blank + 1).trimmed());
    if (blank < 0 && time) {
        if (*time != QTime(0, 0))
            return std::nullopt;
        return QDateTime();
    }
    const QString datePart = time ? trimmed.left(blank).trimmed() : trimmed;
    const std::optional<QDate> date = parseDate(datePart, locale);
    if (!date)
        return std::nullopt;
    return QDateTime(*date, time.value_or(QTime(0, 0)), Qt::LocalTime);
}
