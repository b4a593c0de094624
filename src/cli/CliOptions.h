// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <initializer_list>

// The one reader of a command's switches. A switch with a value is given as
// "--name VALUE" or "--name=VALUE"; a flag as "--name". "--" ends the
// switches, and "-" alone is an operand (standard output where a command
// writes a file). Everything else is an operand, in order.
class CliOptions {
public:
    struct Switch {
        const char* name; // with its dashes: "--size"
        bool takesValue;
    };

    // False, after a German message on standard error, for an unknown
    // switch, a missing value or a value given to a flag.
    bool parse(const QStringList& args, std::initializer_list<Switch> known);

    bool has(const char* name) const { return m_values.contains(QLatin1String(name)); }
    // The value given last for the switch, or `fallback`.
    QString value(const char* name, const QString& fallback = {}) const
    {
        return m_values.value(QLatin1String(name), fallback);
    }
    const QStringList& operands() const { return m_operands; }

private:
    QHash<QString, QString> m_values;
    QStringList m_operands;
};
