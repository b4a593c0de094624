// SPDX-License-Identifier: GPL-3.0-or-later
#include "cnf/CNFMessages.h"

#include "cnf/CNFSeal.h"
#include "core/cuAppError.h"

const QStringList& CNFMessages::Array()
{
    static const QStringList texts = {
        QString(),
        QStringLiteral("Unbekannter Fehler."),
        QStringLiteral("Die Datei '##' ist nicht vorhanden."),
        QStringLiteral("Sektion '##' nicht gefunden."),
        QStringLiteral("Die Sektion '##' ist leer."),
        QStringLiteral("Die Datei '##' enthält keine Sektionen."),
        QStringLiteral("Keine Einträge in der Datei '##' gefunden."),
        QString(),
        QStringLiteral("Abbruch durch Anwender."),
        QStringLiteral("Die Datei ist fehlerhaft und kann daher nicht geöffnet werden. Prüfen Sie, "
                       "ob die Datei evtl. unverschlüsselt ist."),
        QStringLiteral("Die Datei ist verschlüsselt und es wurde kein Kennwort angegeben."),
        QStringLiteral("Unbekannter Fehler beim Berechnen der Checksumme."),
        QStringLiteral(
            "Checksummenprüffehler. Die Datei konnte nicht korrekt entschlüsselt werden. "
            "Prüfen Sie das Kennwort und beachten Sie, dass Groß- und Kleinschreibung "
            "unterschieden wird."),
        QStringLiteral("Ausnahmefehler: Die Datei kann nicht gespeichert werden. Die erste Zeile "
                       "darf nicht die Zeichenfolge '") +
            QString::fromLatin1(CNFSeal::Marker()) + QStringLiteral("' enthalten."),
        QStringLiteral("Das Kennwort ist zu lang: Zum Versiegeln sind höchstens %1 Zeichen "
                       "erlaubt, Umlaute und andere Sonderzeichen zählen doppelt oder mehrfach. "
                       "Nur so viel kann beim Öffnen geprüft werden.")
            .arg(CNFSeal::MaxPasswordBytes),
    };
    return texts;
}

QString CNFMessages::Text(qint32 number, const QVariant& arg)
{
    cuAppError err;
    err.MsgArray = Array();
    return err.MsgLoad(number, arg);
}

void CNFMessages::Raise(qint32 number, const QString& source, const QString& procedure,
                        const QVariant& arg)
{
    cuAppError err;
    err.MsgArray = Array();
    err.ErrRaiseFrom(nullptr, -number, source, procedure, {}, arg);
    Q_UNREACHABLE();
}

void CNFMessages::RaiseText(qint32 number, const QString& source, const QString& procedure,
                            const QString& description)
{
    throw AppErrorRecord(number, source + QStringLiteral(": ") + procedure, description);
}
