// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliOptions.h"

#include "cli/CliCommands.h"

#include <algorithm>

bool CliOptions::parse(const QStringList& args, std::initializer_list<Switch> known)
{
    m_values.clear();
    m_operands.clear();
    bool switchesEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (switchesEnded || !arg.startsWith(QLatin1String("--"))) {
            m_operands.append(arg);
            continue;
        }
        if (arg == QLatin1String("--")) {
            switchesEnded = true;
            continue;
        }
        const qsizetype equals = arg.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? arg : arg.left(equals);
        const auto found = std::find_if(known.begin(), known.end(), [&](const Switch& s) {
            return name == QLatin1String(s.name);
        });
        if (found == known.end()) {
            cliError(QStringLiteral("Unbekannte Option: %1").arg(name));
            return false;
        }
        if (!found->takesValue) {
            if (equals >= 0) {
                cliError(QStringLiteral("Die Option %1 nimmt keinen Wert an.").arg(name));
                return false;
            }
            m_values.insert(name, QString());
        } else if (equals >= 0) {
            m_values.insert(name, arg.mid(equals + 1));
        } else if (i + 1 < args.size()) {
            m_values.insert(name, args.at(++i));
        } else {
            cliError(QStringLiteral("Die Option %1 verlangt einen Wert.").arg(name));
            return false;
        }
    }
    return true;
}
