// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ShellUtil.h"

#include "core/LibError.h"
#include "core/PathUtil.h"
#include "core/TextUtil.h"
#include "platform/DesktopEntry.h"
#include "platform/ShellLauncher.h"

namespace {
// An editor command line is short; the cap only bounds hostile settings.
constexpr qint32 kMaxEditorArgs = 64;

QStringList commandWithFile(const QString& commandLine, const QString& file)
{
    QStringList args;
    if (SplitCommandLine(commandLine, args, kMaxEditorArgs) == 0)
        return {};
    bool placed = false;
    for (QString& arg : args) {
        if (arg.contains(QLatin1String("%1"))) {
            arg.replace(QLatin1String("%1"), file);
            placed = true;
        }
    }
    if (!placed)
        args << file;
    return args;
}
} // namespace

int ShellOpenCode(const QString& file, const QString& workingFolder)
{
    const QString folder = workingFolder.isEmpty() ? DriveOrShareOf(file) : workingFolder;
    return ShellLauncher::openFile(file, folder);
}

bool ShellOpen(const QString& file, const QString& workingFolder)
{
    const int code = ShellOpenCode(file, workingFolder);
    if (code <= 32)
        RaiseLibError(-LibErr::ShellExecute, QStringLiteral("mQXLib"), QStringLiteral("ShellOpen"),
                      {}, code);
    return true;
}

QString ShellErrorText(qint32 code)
{
    switch (code) {
    case 0:
        return QStringLiteral("Zu wenig Speicher oder freie Resourcen.");
    case 2:
        return QStringLiteral("Datei nicht gefunden.");
    case 3:
        return QStringLiteral("Pfad nicht gefunden.");
    case 5:
        return QStringLiteral("Zugriff auf die Datei ist nicht erlaubt.");
    case 8:
        return QStringLiteral("Zu wenig Arbeitsspeicher zum Durchführen der Operation.");
    case 11:
        return QStringLiteral("Fehlerhafte EXE-Datei oder keine Win32-Anwendung.");
    case 26:
        return QStringLiteral("Eine Zugriffsverletzung ist aufgetreten.");
    case 27:
        return QStringLiteral("Fehlerhafte oder unvollständige Verknüpfungsinformation.");
    case 28:
        return QStringLiteral(
            "Die DDE-Ausführung konnte wegen Zeitüberschreitung nicht beendet werden.");
    case 29:
        return QStringLiteral("Fehler während der DDE-Ausführung.");
    case 30:
        return QStringLiteral("Die DDE-Ausführung konnte nicht beendet werden, da eine andere "
                              "DDE-Ausführung läuft.");
    case 31:
        return QStringLiteral("Mit der Dateierweiterung ist keine Anwendung verknüpft.");
    case 32:
        return QStringLiteral("Eine benötigte DLL-Datei wurde nicht gefunden.");
    default:
        return QStringLiteral("Unbekannter Fehler.");
    }
}

QStringList EditorCommand(const QString& configuredEditor, const QString& file)
{
    if (!configuredEditor.trimmed().isEmpty())
        return commandWithFile(configuredEditor, file);
    const QString desktopFile = DesktopEntry::defaultApplicationFor(QStringLiteral("text/plain"));
    if (!desktopFile.isEmpty()) {
        const QStringList command = DesktopEntry::commandFor(desktopFile, file);
        if (!command.isEmpty())
            return command;
    }
    const QString visual = qEnvironmentVariable("VISUAL");
    if (!visual.trimmed().isEmpty())
        return commandWithFile(visual, file);
    return {};
}
