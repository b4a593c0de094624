// SPDX-License-Identifier: GPL-3.0-or-later
// tolvane-cli: the engines behind Tolvane's windows, for scripts.
#include "cli/CliCommands.h"
#include "core/Version.h"
#include "platform/FileNameCodec.h"

#include <QCoreApplication>

namespace {
int usage(int code)
{
    int count = 0;
    const CliCommand* commands = cliCommands(count);
    QString text = QStringLiteral("Aufruf: tolvane-cli BEFEHL [ARGUMENTE]\n"
                                  "       tolvane-cli --help | --version\n\nBefehle:");
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("\n  ") + QString::fromUtf8(commands[i].usage);
    text += QStringLiteral(
        "\n\nSchalter mit Wert gehen als --schalter WERT oder --schalter=WERT. "
        "DATEI \"-\" beim Schreiben ist die Standardausgabe.\n"
        "Fehler stehen auf der Standardfehlerausgabe; Rückgabewert 0 bei Erfolg, 1 bei einem "
        "Fehler, 2 bei falschem Aufruf.\n\n"
        "Schalter:\n  --help     diese Hilfe\n  --version  die Programmversion");
    if (code != 0) {
        cliError(text);
        return code;
    }
    cliPrint(text);
    return cliOutputChecked(0);
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tolvane-cli"));
    QCoreApplication::setApplicationVersion(ProgramVersion());
    // File names are bytes: decoded losslessly, so a name that is not UTF-8
    // reaches the file system as it was given.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(DecodeFileName(QByteArray(argv[i])));
    if (args.isEmpty())
        return usage(2);
    const QString name = args.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h"))
        return usage(0);
    if (name == QLatin1String("--version")) {
        cliPrint(QStringLiteral("Tolvane ") + ProgramVersion());
        return cliOutputChecked(0);
    }
    int count = 0;
    const CliCommand* commands = cliCommands(count);
    for (int i = 0; i < count; ++i) {
        if (name == QLatin1String(commands[i].name))
            return cliOutputChecked(commands[i].run(args));
    }
    cliError(QStringLiteral("Unbekannter Befehl: %1").arg(name));
    return usage(2);
}
