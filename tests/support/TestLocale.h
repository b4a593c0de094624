// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>

// Tests run under German (the test main sets it). This switches to another
// locale for one scope, German or English (United States), and puts the
// previous one back.
class ScopedLocale {
public:
    explicit ScopedLocale(QLocale::Language language) : m_previous(QLocale())
    {
        QLocale::setDefault(QLocale(language, language == QLocale::German ? QLocale::Germany
                                                                          : QLocale::UnitedStates));
    }
    explicit ScopedLocale(const QLocale& locale) : m_previous(QLocale())
    {
        QLocale::setDefault(locale);
    }
    ~ScopedLocale() { QLocale::setDefault(m_previous); }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

private:
    QLocale m_previous;
};

// Expected numbers are written the German way; this turns them into the text
// the current locale writes ("1.234,50" becomes "1,234.50" in English).
inline QString num(const QString& german)
{
    if (QLocale().decimalPoint() == QLatin1String(","))
        return german;
    // The separators trade places, by way of a character no number holds.
    return QString(german).replace(u',', u'\x1f').replace(u'.', u',').replace(u'\x1f', u'.');
}

inline QString num(const char* german)
{
    return num(QString::fromUtf8(german));
}
