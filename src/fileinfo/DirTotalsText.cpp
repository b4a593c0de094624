// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/DirTotalsText.h"

#include <QLocale>
#include <QStringList>

namespace {
QString count(qint64 value, const char* one, const char* many)
{
    return QLocale().toString(value) + QLatin1Char(' ') +
           QString::fromUtf8(value == 1 ? one : many);
}
} // namespace

QString DirTotalsText::Contents(const pDirTotals::Figures& figures)
{
    QString text = count(figures.files, "Datei", "Dateien") + QLatin1String(", ") +
                   count(figures.folders, "Ordner", "Ordner");
    if (figures.others > 0)
        text += QLatin1String(", ") + count(figures.others, "sonstiger Eintrag", "sonstige");
    return text;
}

QString DirTotalsText::Status(const pDirTotals::Figures& figures, pDirTotals::Outcome outcome)
{
    QStringList parts;
    if (outcome == pDirTotals::Outcome::Cancelled)
        parts << QStringLiteral("Zählung abgebrochen – Werte unvollständig");
    if (figures.unreadable > 0)
        parts << QStringLiteral("%1 %2 nicht gelesen werden")
                     .arg(QLocale().toString(figures.unreadable),
                          figures.unreadable == 1 ? QStringLiteral("Ordner konnte")
                                                  : QStringLiteral("Ordner konnten"));
    if (figures.notEntered > 0)
        parts << QStringLiteral("%1 Ordner nicht betreten (anderes Dateisystem oder Schleife)")
                     .arg(QLocale().toString(figures.notEntered));
    return parts.join(QLatin1String(". "));
}

QString DirTotalsText::Reading(const QString& folder)
{
    return QStringLiteral("Lese ") + folder;
}
