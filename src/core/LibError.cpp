// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/LibError.h"

#include "core/AppErrorRecord.h"
#include "core/cuAppError.h"
#include "platform/MessageBoxService.h"

#include <QCoreApplication>

#include <algorithm>
#include <exception>

namespace {
QString libText(qint32 number)
{
    switch (number) {
    case 1:
        return QStringLiteral(
            "Fehler beim Ermitteln der zur Verfügung stehenden Bildschirmauflösungen.");
    case 2:
        return QStringLiteral("Bitte wählen Sie Ihren Schriftarten-Ordner aus.");
    case 3:
        return QStringLiteral("Fehler beim Ermitteln der Größe der Bildlaufleiste.");
    case 4:
        return QStringLiteral("Für die Umwandlung in Twips wird ein Fensterhandle benötigt.");
    case 5:
        return QStringLiteral(
            "Aktuelle Speicherauslastung wurden in folgende Datei geschrieben:@@##");
    case 6:
        return QStringLiteral("WinExecute-Fehler Nr. ##.@@Datei kann nicht geöffnet werden.");
    case 7:
        return QStringLiteral("Es muß wenigstens ein Argument übergeben werden.");
    case 8:
        return QStringLiteral("Fehler in API-Funktion '##'.");
    case 9:
        return QStringLiteral("Fehler beim Ermitteln des Fensterhandles.");
    case 10:
        return QStringLiteral("Beim Senden der Nachricht ist ein Fehler aufgetreten.");
    case 11:
        return QStringLiteral("Es muss ein zweidimensionales, 0-basiertes Datenfeld mit den "
                              "Parametern angegeben werden.");
    default:
        return QStringLiteral("Unbekannter Fehler.");
    }
}

void fillFirst(QString& text, const QVariant& value)
{
    if (value.isNull())
        return;
    const qsizetype at = text.indexOf(QLatin1String("##"));
    if (at >= 0)
        text.replace(at, 2, value.toString());
}

QString executableName()
{
    return QCoreApplication::applicationName();
}
} // namespace

QString LibMessage(qint32 number, const QVariant& arg1, const QVariant& arg2)
{
    QString text = libText(number);
    text.replace(QLatin1String("@@"), QLatin1String("\r\n"));
    fillFirst(text, arg1);
    fillFirst(text, arg2);
    return text;
}

void RaiseLibError(qint32 number, const QString& source, const QString& procedure,
                   const QString& description, const QVariant& arg1, const QVariant& arg2)
{
    QString src = source;
    QString text = description;
    if (number >= 0 && std::current_exception()) {
        const AppErrorRecord caught = AppErrorRecord::fromException(std::current_exception());
        number = caught.Number;
        if (src.isEmpty())
            src = executableName() + QLatin1Char('/') + caught.Source;
        if (text.isEmpty())
            text = caught.Description;
    }
    const qint64 own = number < 0 ? -qint64(number) : qint64(number);
    if (text.isEmpty())
        text = LibMessage(qint32(std::min<qint64>(own, 0x7fffffff)), arg1, arg2);
    // Kept in 64 bits: a passed-on number may already lie in the error range.
    const qint64 raised = 1024 + qint64(cuAppError::ErrorBase) + own;
    if (src.isEmpty())
        src = executableName();
    if (!procedure.isEmpty())
        src += QStringLiteral(": ") + procedure;
    MessageBoxService::setArrowCursor();
    throw AppErrorRecord(qint32(raised), src, text);
}
