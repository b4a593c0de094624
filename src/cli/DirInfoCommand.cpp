// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/DirInfoCommand.h"

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "fileinfo/DirTotalsText.h"
#include "fileinfo/pDirTotals.h"
#include "platform/FileNameCodec.h"
#include "platform/FileStatus.h"
#include "platform/SystemError.h"

#include <chrono>
#include <future>

const char* const kDirInfoCommandUsage = "dirinfo ORDNER [--progress]";

namespace {
void printFigures(const pDirTotals::Figures& f)
{
    const std::pair<const char*, qint64> rows[] = {
        {"Dateien", f.files},
        {"Ordner", f.folders},
        {"Sonstige", f.others},
        {"Größe", f.size},
        {"Belegt", f.allocated},
        {"Nicht lesbar", f.unreadable},
        {"Nicht betreten", f.notEntered},
    };
    for (const auto& [label, value] : rows)
        cliPrint(QString::fromUtf8(label) + QLatin1Char('\t') + QString::number(value));
}

// The count on a thread of its own, so this one can report every 100 ms.
pDirTotals::Outcome countShowingProgress(pDirTotals& totals, const QString& folder)
{
    std::future<pDirTotals::Outcome> outcome =
        std::async(std::launch::async, [&totals, &folder] { return totals.Count(folder); });
    while (outcome.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready) {
        const QByteArray line =
            (DirTotalsText::Contents(totals.Current()) + QLatin1String(" – ") +
             DisplayFileName(DecodeFileName(totals.CurrentFolder())) + QLatin1Char('\n'))
                .toUtf8();
        std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    }
    return outcome.get();
}

bool checkFolder(const QString& folder)
{
    const QString shown = DisplayFileName(folder);
    int error = 0;
    const std::optional<FileStatus> status = ReadFileStatus(folder, FollowLinks::Yes, &error);
    if (!status) {
        cliError(AppErr().MsgLoad(Msg::FolderReadFailed, shown, SystemErrorText(error)));
        return false;
    }
    if (!status->isFolder()) {
        cliError(AppErr().MsgLoad(Msg::NotAFolder, shown, FileKindText(status->mode)));
        return false;
    }
    return true;
}
} // namespace

int runDirInfoCommand(const QStringList& args)
{
    CliOptions options;
    if (!options.parse(args, {{"--progress", false}}) || options.operands().size() != 1 ||
        options.operands().constFirst().isEmpty()) {
        cliError(QStringLiteral("Aufruf: tolvane-cli ") + QString::fromUtf8(kDirInfoCommandUsage));
        return 2;
    }
    const QString folder = options.operands().constFirst();
    if (!checkFolder(folder))
        return 1;
    pDirTotals totals;
    const pDirTotals::Outcome outcome =
        options.has("--progress") ? countShowingProgress(totals, folder) : totals.Count(folder);
    if (outcome == pDirTotals::Outcome::Unreadable) {
        cliError(AppErr().MsgLoad(Msg::FolderReadFailed, DisplayFileName(folder),
                                  SystemErrorText(totals.RootError())));
        return 1;
    }
    printFigures(totals.Current());
    return 0;
}
