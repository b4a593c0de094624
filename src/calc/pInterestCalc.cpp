// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/pInterestCalc.h"

#include "core/AppErrorRecord.h"

#include <QLocale>

#include <cmath>

namespace {
AppErrorRecord divisionByZero()
{
    return AppErrorRecord(RuntimeError::DivisionByZero, QString(),
                          QStringLiteral("Division durch Null."));
}
} // namespace

double pInterestCalc::FieldValue(const QString& text)
{
    bool ok = false;
    const double value = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok)
        throw AppErrorRecord(RuntimeError::TypeMismatch, QString(),
                             QStringLiteral("Typen unverträglich."));
    return value;
}

double pInterestCalc::Instalment(double amount, double yearlyRate, double months)
{
    const double r = yearlyRate / 12;
    double instalment = 0;
    if (r == 0) {
        if (months == 0)
            throw divisionByZero();
        instalment = amount / months;
    } else {
        const double growth = std::pow(1 + r, months);
        const double divisor = (1 + r) * (growth - 1);
        if (divisor == 0)
            throw divisionByZero();
        instalment = amount * r * growth / divisor;
    }
    if (!std::isfinite(instalment))
        throw AppErrorRecord(RuntimeError::Overflow, QString(), QStringLiteral("Überlauf."));
    return instalment;
}

void pInterestCalc::Calculate()
{
    double rate = FieldValue(Rate);
    if (rate > 1)
        rate /= 100;
    const double months = FieldValue(Months);
    const double instalment = Instalment(FieldValue(Amount), rate, months);
    const double total = months * instalment;
    if (!std::isfinite(total))
        throw AppErrorRecord(RuntimeError::Overflow, QString(), QStringLiteral("Überlauf."));
    InstalmentText = QLocale().toString(instalment, 'f', 2);
    TotalText = QLocale().toString(total, 'f', 2);
}
