// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/DateText.h"

namespace {
// Drops the format letters `letter` outside quoted literals, with the blanks
// that separated them from the rest.
QString dropField(const QString& format, QChar letter)
{
    QString out;
    bool quoted = false;
    for (const QChar ch : format) {
        if (ch == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && ch == letter)
            continue;
        out += ch;
    }
    return out.simplified();
}
} // namespace

QString LongTimeFormat(const QLocale& locale)
{
    return dropField(locale.timeFormat(QLocale::LongFormat), QLatin1Char('t'));
}

QString GeneralDateText(const QDateTime& value, const QLocale& locale)
{
    if (!value.isValid())
        return QString();
    QString dateFormat = locale.dateFormat(QLocale::ShortFormat);
    if (!dateFormat.contains(QLatin1String("yyyy")))
        dateFormat.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    const QString date = locale.toString(value.date(), dateFormat);
    // A value at exactly midnight is a date alone, as the general format has it.
    if (value.time() == QTime(0, 0))
        return date;
    return date + QLatin1Char(' ') + locale.toString(value.time(), LongTimeFormat(locale));
}
