// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliCommands.h"

#include "cli/CnfCommand.h"
#include "cli/IconsCommand.h"
#include "cli/InfoCommand.h"
#include "cli/SettingsCommand.h"

// Sub-commands are declared here and defined in their own files.

namespace {
const CliCommand kCommands[] = {
    {nullptr, nullptr, nullptr}, // keeps the table valid while it is being filled
    {"info", "info DATEI", RunInfoCommand},
    {"icons", "icons DATEI [--size 16|32] [--save ORDNER] [--format ico|bmp|png]", runIconsCommand},
    {"settings", "settings export [--regedit4] [SCHLÜSSEL] [DATEI] | settings import DATEI",
     runSettingsCommand},
    {"cnf", kCnfCommandUsage, runCnfCommand},
};
} // namespace

const CliCommand* cliCommands(int& count)
{
    count = int(std::size(kCommands)) - 1;
    return kCommands + 1;
}

void cliPrint(const QString& line)
{
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fputc('\n', stdout);
}

void cliError(const QString& message)
{
    const QByteArray bytes =
        QString(message).replace(QLatin1String("\r\n"), QLatin1String("\n")).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fputc('\n', stderr);
}
