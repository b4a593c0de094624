// SPDX-License-Identifier: GPL-3.0-or-later
// tolvane-cli: the engines behind Tolvane's windows, for scripts.
#include "cli/CliCommands.h"

#include <QCoreApplication>

namespace {
int usage(int code)
{
    int count = 0;
    const CliCommand* commands = cliCommands(count);
    QString text = QStringLiteral("Aufruf: tolvane-cli BEFEHL [ARGUMENTE]\n\nBefehle:");
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("\n  ") + QString::fromUtf8(commands[i].usage);
    if (code == 0)
        cliPrint(text);
    else
        cliError(text);
    return code;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tolvane-cli"));
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty())
        return usage(2);
    const QString name = args.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h"))
        return usage(0);
    int count = 0;
    const CliCommand* commands = cliCommands(count);
    for (int i = 0; i < count; ++i) {
        if (name == QLatin1String(commands[i].name))
            return commands[i].run(args);
    }
    cliError(QStringLiteral("Unbekannter Befehl: %1").arg(name));
    return usage(2);
}
