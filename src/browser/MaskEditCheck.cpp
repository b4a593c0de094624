// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/MaskEditCheck.h"

namespace {
constexpr qint32 kReservedChar = 132;
constexpr qint32 kNotAllowed = 133;
constexpr qint32 kRequired = 134;
} // namespace

MaskEditCheck MaskEditCheck::Run(const QString& name, const QString& extensions)
{
    const QString texts[2] = {name, extensions};
    for (int field = 0; field < 2; ++field) {
        // "|" separates the parts of file-dialog filters built from the masks.
        if (texts[field].contains(QLatin1Char('|')))
            return {kReservedChar, QStringLiteral("|"), field};
        if (texts[field].isEmpty())
            return {kRequired, QString(), field};
    }
    // "(Standard)" and "-" are the captions of fixed entries of the mask menu.
    if (QString::compare(name, QStringLiteral("(Standard)"), Qt::CaseInsensitive) == 0)
        return {kNotAllowed, QStringLiteral("(Standard)"), 0};
    if (name == QLatin1String("-"))
        return {kNotAllowed, QStringLiteral("-"), 0};
    return {};
}
