// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <ostream>

// Texts as the tests write them: UTF-8 literals, German ones included.
inline QString u(const char* text)
{
    return QString::fromUtf8(text);
}

// Readable failure output for the Qt types the tests compare.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* out)
{
    *out << '{';
    for (qsizetype i = 0; i < list.size(); ++i)
        *out << (i ? ", \"" : "\"") << list.at(i).toStdString() << '"';
    *out << '}';
}

inline void PrintTo(const QDateTime& when, std::ostream* out)
{
    *out << when.toString(Qt::ISODateWithMs).toStdString() << " ("
         << when.timeZoneAbbreviation().toStdString() << ')';
}
