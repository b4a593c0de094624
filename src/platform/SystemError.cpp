// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemError.h"

#include <cerrno>
#include <sys/stat.h>

QString SystemErrorText(int code)
{
    switch (code) {
    case EACCES:
    case EPERM:
        return QStringLiteral("keine Berechtigung");
    case EROFS:
        return QStringLiteral("schreibgeschütztes Dateisystem");
    case ENOENT:
        return QStringLiteral("Datei oder Ordner nicht vorhanden");
    case ENOTDIR:
        return QStringLiteral("ein Teil des Pfades ist kein Ordner");
    case EISDIR:
        return QStringLiteral("ist ein Ordner");
    case EEXIST:
        return QStringLiteral("der Name ist bereits vergeben");
    case ENOSPC:
        return QStringLiteral("kein Platz mehr auf dem Datenträger");
    case EDQUOT:
        return QStringLiteral("das Speicherkontingent ist erschöpft");
    case EFBIG:
        return QStringLiteral("die Datei ist zu groß");
    case EXDEV:
        return QStringLiteral("Quelle und Ziel liegen auf verschiedenen Dateisystemen");
    case EBUSY:
        return QStringLiteral("die Datei oder das Gerät ist belegt");
    case ETXTBSY:
        return QStringLiteral("das Programm wird gerade ausgeführt");
    case ELOOP:
        return QStringLiteral("zu viele symbolische Verknüpfungen");
    case ENAMETOOLONG:
        return QStringLiteral("der Name ist zu lang");
    case EIO:
        return QStringLiteral("Ein-/Ausgabefehler");
    case EINVAL:
        return QStringLiteral("ungültiges Argument");
    default:
        return QStringLiteral("Systemfehler %1").arg(code);
    }
}

QString SystemErrorSentence(int code)
{
    QString text = SystemErrorText(code);
    text[0] = text.at(0).toUpper();
    return text + QLatin1Char('.');
}

QString FileKindText(unsigned mode)
{
    switch (mode & S_IFMT) {
    case S_IFDIR:
        return QStringLiteral("ein Ordner");
    case S_IFIFO:
        return QStringLiteral("eine benannte Pipe (FIFO)");
    case S_IFCHR:
        return QStringLiteral("ein zeichenorientiertes Gerät");
    case S_IFBLK:
        return QStringLiteral("ein blockorientiertes Gerät");
    case S_IFSOCK:
        return QStringLiteral("ein Socket");
    case S_IFLNK:
        return QStringLiteral("eine symbolische Verknüpfung");
    case S_IFREG:
        return QStringLiteral("eine gewöhnliche Datei");
    default:
        return QStringLiteral("ein Objekt unbekannter Art");
    }
}
