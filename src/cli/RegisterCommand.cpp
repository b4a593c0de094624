// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/RegisterCommand.h"

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "comreg/LibraryCopy.h"
#include "comreg/RegistrationRun.h"
#include "comreg/pRegisterFile.h"
#include "core/AppErrorRecord.h"
#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "platform/FileNameCodec.h"

const char* const kRegisterCommandUsage = "register DATEI... (über Wine)";
const char* const kUnregisterCommandUsage = "unregister DATEI... (über Wine)";
const char* const kDllCopyCommandUsage = "dllcopy DATEI [--yes] (Kopie NAME_VERSION.ERW)";

namespace {
int usage(const char* text)
{
    cliError(QStringLiteral("Aufruf: tolvane-cli ") + QString::fromUtf8(text));
    return 2;
}

int registerFiles(const QStringList& args, bool registering, const char* usageText)
{
    CliOptions options;
    if (!options.parse(args, {}) || options.operands().isEmpty() ||
        options.operands().contains(QString()))
        return usage(usageText);
    bool allDone = true;
    for (const QString& path : options.operands()) {
        // One file at a time: the report of a run of one is that file's result.
        RegistrationRun run({path}, registering);
        run.Run(
            [registering](const QString& file, QString& reason) {
                return pRegisterFile::RegisterFile(file, registering, {}, reason);
            },
            [](const QString&) { return true; });
        if (run.Succeeded() == 1) {
            cliPrint(run.Report().text);
        } else {
            cliError(run.Report().text);
            allDone = false;
        }
    }
    return allDone ? 0 : 1;
}
} // namespace

int runRegisterCommand(const QStringList& args)
{
    return registerFiles(args, true, kRegisterCommandUsage);
}

int runUnregisterCommand(const QStringList& args)
{
    return registerFiles(args, false, kUnregisterCommandUsage);
}

int runDllCopyCommand(const QStringList& args)
{
    CliOptions options;
    if (!options.parse(args, {{"--yes", false}}) || options.operands().size() != 1 ||
        options.operands().first().isEmpty())
        return usage(kDllCopyCommandUsage);
    const QString source = options.operands().first();
    if (!cliCheckInputFile(source, false))
        return 1;
    try {
        const LibraryCopy copy(source);
        if (!copy.HasVersion()) {
            cliError(AppErr().MsgLoad(Msg::CopyNoVersionInfo, DisplayFileName(source)));
            return 1;
        }
        const bool exists = copy.DestinationExists();
        if (exists && !options.has("--yes")) {
            cliError(AppErr().MsgLoad(Msg::TargetExists, DisplayFileName(copy.Destination())));
            return 1;
        }
        copy.Copy(exists);
        cliPrintBytes(EncodeFileName(copy.Destination()));
        return 0;
    } catch (const AppErrorRecord& e) {
        cliError(e.Description);
        return 1;
    }
}
