// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The running sum of the time calculator: durations given as hours, minutes
// and seconds (each any size: 90 minutes are fine) added up and shown as
// hours:minutes:seconds, hours not wrapped at a day.
class pTimeCalc {
public:
    // Adds one duration. A field that is not a whole number, or a duration
    // beyond 32-bit seconds, raises an error record and leaves the sum as it was.
    void Add(const QString& hours, const QString& minutes, const QString& seconds);
    void Reset() { m_total = 0; }

    qint64 TotalSeconds() const { return m_total; }
    // "hh:mm:ss", each part at least two digits.
    QString SumText() const;

    // A field's text as a 32-bit number; raises when it is none or too large.
    static qint32 FieldValue(const QString& text);

private:
    qint64 m_total = 0;
};
