// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/pTimeCalc.h"

#include "core/AppErrorRecord.h"

#include <QLocale>

#include <limits>

namespace {
AppErrorRecord overflow()
{
    return AppErrorRecord(RuntimeError::Overflow, QString(), QStringLiteral("Überlauf."));
}

// Durations have always been counted in 32-bit seconds; every step of the
// sum must stay inside that range.
qint64 checked(qint64 value)
{
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        throw overflow();
    return value;
}

QString twoDigits(qint64 value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}
} // namespace

qint32 pTimeCalc::FieldValue(const QString& text)
{
    bool ok = false;
    const qint64 value = QLocale().toLongLong(text.trimmed(), &ok);
    if (!ok) {
        // A number too long for 64 bits is still a number, only too large.
        bool isNumber = false;
        QLocale().toDouble(text.trimmed(), &isNumber);
        if (isNumber)
            throw overflow();
        throw AppErrorRecord(RuntimeError::TypeMismatch, QString(),
                             QStringLiteral("Typen unverträglich."));
    }
    return qint32(checked(value));
}

void pTimeCalc::Add(const QString& hours, const QString& minutes, const QString& seconds)
{
    const qint64 h = checked(qint64(FieldValue(hours)) * 3600);
    const qint64 m = checked(qint64(FieldValue(minutes)) * 60);
    const qint64 duration = checked(checked(h + m) + FieldValue(seconds));
    m_total += duration;
}

QString pTimeCalc::SumText() const
{
    const qint64 magnitude = m_total < 0 ? -m_total : m_total;
    const qint64 minutesTotal = magnitude / 60;
    return (m_total < 0 ? QStringLiteral("-") : QString()) + twoDigits(minutesTotal / 60) +
           QLatin1Char(':') + twoDigits(minutesTotal % 60) + QLatin1Char(':') +
           twoDigits(magnitude % 60);
}
