// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliCommands.h"

#include "cli/CnfCommand.h"
#include "cli/CompareCommand.h"
#include "cli/DirInfoCommand.h"
#include "cli/IconsCommand.h"
#include "cli/InfoCommand.h"
#include "cli/RegViewCommand.h"
#include "cli/RegisterCommand.h"
#include "cli/RenameCommand.h"
#include "cli/SettingsCommand.h"
#include "cli/SlideshowCommand.h"
#include "cli/TimesCommand.h"
#include "cli/UserMenuCommand.h"
#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/SafeFileWriter.h"
#include "core/cuAppError.h"
#include "platform/FileNameCodec.h"
#include "platform/FileStatus.h"
#include "platform/SystemError.h"

#include <algorithm>
#include <cerrno>

// Sub-commands are declared here and defined in their own files.

namespace {
const CliCommand kCommands[] = {
    {"settings", kSettingsCommandUsage, runSettingsCommand},
    {"cnf", kCnfCommandUsage, runCnfCommand},
    {"info", kInfoCommandUsage, runInfoCommand},
    {"dirinfo", kDirInfoCommandUsage, runDirInfoCommand},
    {"icons", kIconsCommandUsage, runIconsCommand},
    {"rename", kRenameCommandUsage, runRenameCommand},
    {"compare", kCompareCommandUsage, runCompareCommand},
    {"regview", kRegViewCommandUsage, runRegViewCommand},
    {"times", kTimesCommandUsage, runTimesCommand},
    {"register", kRegisterCommandUsage, runRegisterCommand},
    {"unregister", kUnregisterCommandUsage, runUnregisterCommand},
    {"dllcopy", kDllCopyCommandUsage, runDllCopyCommand},
    {"slideshow", kSlideshowCommandUsage, runSlideshowCommand},
    {"usermenu", kUserMenuCommandUsage, runUserMenuCommand},
};
} // namespace

const CliCommand* cliCommands(int& count)
{
    count = int(std::size(kCommands));
    return kCommands;
}

void cliPrint(const QString& line)
{
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fputc('\n', stdout);
}

void cliPrintParts(std::initializer_list<QStringView> parts)
{
    constexpr qsizetype kPiece = 1 << 20;
    for (QStringView part : parts) {
        while (!part.isEmpty()) {
            qsizetype size = std::min(kPiece, part.size());
            if (size < part.size() && part.at(size - 1).isHighSurrogate())
                ++size; // a surrogate pair stays whole
            const QByteArray bytes = part.first(size).toUtf8();
            std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
            part = part.sliced(size);
        }
    }
    std::fputc('\n', stdout);
}

void cliPrintBytes(QByteArrayView bytes, char end)
{
    std::fwrite(bytes.data(), 1, size_t(bytes.size()), stdout);
    std::fputc(end, stdout);
}

int cliOutputChecked(int code)
{
    static bool reported = false;
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return code;
    if (!reported)
        cliError(AppErr().MsgLoad(Msg::FileWriteFailed,
                                  SafeFileWriter::ShownName(QStringLiteral("-")),
                                  SystemErrorText(errno ? errno : EIO)));
    reported = true;
    return 1;
}

bool cliCheckInputFile(const QString& path, bool allowFolder)
{
    const QString shown = DisplayFileName(path);
    int error = 0;
    const std::optional<FileStatus> status = ReadFileStatus(path, FollowLinks::Yes, &error);
    if (!status) {
        cliError(error == ENOENT
                     ? AppErr().MsgLoad(Msg::FileMissing, shown)
                     : AppErr().MsgLoad(Msg::FileReadFailed, shown, SystemErrorText(error)));
        return false;
    }
    if (status->isRegular() || (allowFolder && status->isFolder()))
        return true;
    cliError(AppErr().MsgLoad(Msg::NotRegularFile, shown, FileKindText(status->mode)));
    return false;
}

void cliError(const QString& message)
{
    const QByteArray bytes =
        QString(message).replace(QLatin1String("\r\n"), QLatin1String("\n")).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fputc('\n', stderr);
}
