// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/PrintQt.h"

#include <QLocale>
#include <QString>

// Sets the default locale for one test and puts the previous one back.
// Expected texts are written the German way; `num` turns them into the text
// the current locale writes ("1.234,50" becomes "1,234.50" in English).
class ScopedLocale {
public:
    explicit ScopedLocale(QLocale::Language language) : m_previous(QLocale())
    {
        QLocale::setDefault(QLocale(language, language == QLocale::German ? QLocale::Germany
                                                                          : QLocale::UnitedStates));
    }
    ~ScopedLocale() { QLocale::setDefault(m_previous); }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

private:
    QLocale m_previous;
};

inline QString num(const QString& german)
{
    if (QLocale().decimalPoint() == QLatin1String(","))
        return german;
    QString text = german;
    for (QChar& ch : text) {
        if (ch == QLatin1Char(','))
            ch = QLatin1Char('.');
        else if (ch == QLatin1Char('.'))
            ch = QLatin1Char(',');
    }
    return text;
}

inline QString num(const char* german)
{
    return num(QString::fromUtf8(german));
}
