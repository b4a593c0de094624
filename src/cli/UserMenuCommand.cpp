// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/UserMenuCommand.h"

#include "browser/pUserFileMenu.h"
#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "core/AppErrorRecord.h"
#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "platform/FileNameCodec.h"

#include <QDir>

const char* const kUserMenuCommandUsage = "usermenu list [DATEI] | usermenu run BESCHRIFTUNG DATEI";

namespace {
const QLatin1Char kTab('\t');

int usage()
{
    cliError(QStringLiteral("Aufruf: tolvane-cli ") + QString::fromUtf8(kUserMenuCommandUsage));
    return 2;
}

// The menu works on full paths: a file name never passes for an option.
QString FullPath(const QString& file)
{
    return QDir::cleanPath(QDir::current().absoluteFilePath(file));
}

int List(const pUserFileMenu& menu, const QString& file)
{
    const QString path = file.isEmpty() ? QString() : FullPath(file);
    if (!file.isEmpty() && !cliCheckInputFile(path, false))
        return 1;
    for (const UserMenuEntry& entry : menu.Entries()) {
        QString line = entry.caption + kTab + entry.cmdLine + kTab + entry.mask;
        if (path.isEmpty()) {
            cliPrint(line);
            continue;
        }
        line += kTab + QLatin1String(pUserFileMenu::Applies(entry, path) ? "Ja" : "Nein");
        cliPrintBytes(EncodeFileName(line));
        if (!pUserFileMenu::HasPlaceholder(entry.cmdLine))
            continue;
        for (const QString& argument : pUserFileMenu::Arguments(entry.cmdLine, path))
            cliPrintBytes(EncodeFileName(kTab + argument));
    }
    return 0;
}

int Run(const pUserFileMenu& menu, const QString& caption, const QString& file)
{
    const UserMenuEntry* entry = menu.Find(caption);
    if (!entry) {
        cliError(QStringLiteral("Das Benutzermenü hat keinen Eintrag '%1'.").arg(caption));
        return 1;
    }
    const QString path = FullPath(file);
    if (!cliCheckInputFile(path, false))
        return 1;
    const QString shown = DisplayFileName(path);
    if (!pUserFileMenu::Applies(*entry, path)) {
        cliError(QStringLiteral("Der Eintrag '%1' gilt nicht für '%2' (Maske: %3).")
                     .arg(entry->caption, shown, entry->mask));
        return 1;
    }
    try {
        if (pUserFileMenu::Run(*entry, path))
            return 0;
        cliError(AppErr().MsgLoad(Msg::CommandNeedsPlaceholder, QStringLiteral("%1"), shown));
    } catch (const AppErrorRecord& e) {
        cliError(e.Description);
    }
    return 1;
}
} // namespace

int runUserMenuCommand(const QStringList& args)
{
    CliOptions read;
    if (!read.parse(args, {}))
        return 2;
    const QStringList& operands = read.operands();
    const QString action = operands.value(0);
    const bool list = action == QLatin1String("list") && operands.size() <= 2;
    const bool run = action == QLatin1String("run") && operands.size() == 3;
    if (!list && !run)
        return usage();
    if (operands.mid(1).contains(QString()))
        return usage();
    pUserFileMenu menu;
    menu.Init();
    return list ? List(menu, operands.value(1)) : Run(menu, operands[1], operands[2]);
}
