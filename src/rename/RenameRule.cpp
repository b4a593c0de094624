// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/RenameRule.h"

#include "rename/RenameCalc.h"

#include <limits>

QString RenameRule::Calc(const QString& oldName, qint64& counter) const
{
    return RenameCalc(*this).Calc(oldName, counter);
}

bool RenameRule::HasAction() const
{
    return !text.isEmpty() || !find.isEmpty() || !extension.isEmpty() || numbering ||
           !insert.isEmpty() || extractNumber || mode == Mode::Special;
}

bool RenameRule::GivesOneName() const
{
    return mode == Mode::Parts && parts == Parts::Whole && !numbering;
}

std::optional<qint64> RenameRule::ParseNumber(const QString& digits)
{
    if (digits.isEmpty())
        return std::nullopt;
    qint64 value = 0;
    for (QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        const int d = c.unicode() - '0';
        if (value > (std::numeric_limits<qint64>::max() - d) / 10)
            return std::numeric_limits<qint64>::max();
        value = value * 10 + d;
    }
    return value;
}
