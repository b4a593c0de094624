// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>

#include <optional>

// The date field of the time setter: the locale's numeric date with a
// four-digit year, optionally followed by a time of day.
namespace DateInput {
// The locale's short date pattern with the year in four digits ("dd.MM.yyyy",
// "M/d/yyyy"); a locale that writes its months as words gets the German one.
QString DatePattern(const QLocale& locale);
// What the field shows when it is enabled: the day at "00:00:00".
QString Midnight(const QDate& day, const QLocale& locale);
// The date and time of day a text names, as local time; its date() and
// time() are the wall clock even where the clock skipped that time. A time of
// day alone is no date, except "00:00:00", which means "now": a result
// without a date. Two-digit years are 1930-2029, seconds are optional.
// Nothing for any other text.
std::optional<QDateTime> Parse(const QString& text, const QLocale& locale);
} // namespace DateInput
