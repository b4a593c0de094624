// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The interest calculator: the monthly instalment of a loan paid at the
// beginning of each month (annuity due) and the total repaid. The fields are
// texts in the user's locale, as the window shows them.
class pInterestCalc {
public:
    QString Amount = QStringLiteral("25000");
    QString Rate = QStringLiteral("4"); // a yearly rate above 1 is a percentage
    QString Months = QStringLiteral("48");
    QString InstalmentText; // results, "###,###,##0.00" in the locale
    QString TotalText;

    // Fills both results. A field that is not a number, a term of 0 months or
    // a result out of range raises an error record and leaves the results.
    void Calculate();

    // PMT(rate / 12, months, -amount, 0, 1) for a yearly rate as a fraction.
    static double Instalment(double amount, double yearlyRate, double months);
    static double FieldValue(const QString& text);
};
