// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/TimesCommand.h"

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "core/AppGlobals.h"
#include "core/FileUtil.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "filetimes/DateInput.h"
#include "filetimes/pDateTime.h"
#include "platform/FileNameCodec.h"
#include "platform/FileStatus.h"
#include "platform/SystemError.h"

#include <QLocale>

#include <cerrno>
#include <optional>

const char* const kTimesCommandUsage =
    "times --mode 0|1|2|3 (--set DATUM | --reset) PFAD... (0 Erstellungsdatum, 1 letzter "
    "Zugriff, 2 Änderungsdatum, 3 beide)";

namespace {
int usage()
{
    cliError(QStringLiteral("Aufruf: tolvane-cli ") + QString::fromUtf8(kTimesCommandUsage));
    return 2;
}

// The date as the user's locale writes it; the C locale names no country,
// so there it is the German one, as is any text the locale cannot read.
std::optional<QDateTime> parseDate(const QString& text)
{
    const QLocale system = QLocale::system();
    if (system.language() != QLocale::C)
        if (const auto date = DateInput::Parse(text, system))
            return date;
    return DateInput::Parse(text, QLocale(QLocale::German, QLocale::Germany));
}

// One path, file or folder; the reason when it stayed as it was.
std::optional<QString> changeOne(const QString& path, qint32 mode, bool reset,
                                 const QDateTime& date)
{
    if (IsFolder(path)) {
        if (mode == pDateTime::Creation)
            return pDateTime::BirthTimeNotSettable();
        if (SetFileTimeDate(path, mode > pDateTime::LastWrite ? ftAll : mode, date, reset))
            return std::nullopt;
        return SystemErrorSentence(errno);
    }
    pDateTime times;
    times.SetAction(reset ? pDateTime::ResetTime : pDateTime::SetDate);
    times.SetMode(mode);
    times.Files().append(path);
    if (times.Run(date) == 1)
        return std::nullopt;
    return times.Unchanged().value(0).reason;
}
} // namespace

int runTimesCommand(const QStringList& args)
{
    CliOptions options;
    if (!options.parse(args, {{"--mode", true}, {"--set", true}, {"--reset", false}}))
        return usage();
    const QStringList& paths = options.operands();
    bool modeRead = false;
    const int mode = options.value("--mode").toInt(&modeRead);
    if (!modeRead || mode < 0 || mode > 3 || options.has("--set") == options.has("--reset") ||
        paths.isEmpty() || paths.contains(QString()))
        return usage();
    std::optional<QDateTime> date;
    if (options.has("--set")) {
        date = parseDate(options.value("--set"));
        if (!date) {
            cliError(AppErr().MsgLoad(Msg::InvalidDate, options.value("--set")));
            return 2;
        }
    }
    qint32 changed = 0;
    for (const QString& path : paths) {
        const auto reason = changeOne(path, mode, !date, date.value_or(QDateTime()));
        if (!reason) {
            ++changed;
            continue;
        }
        cliError(AppErr().MsgLoad(Msg::FileTimesFailed, DisplayFileName(path), *reason));
    }
    cliPrint(AppErr().MsgLoad(Msg::FilesChanged, changed));
    if (mode == pDateTime::All)
        cliPrint(pDateTime::BirthTimeUnchanged());
    return changed == paths.size() ? 0 : 1;
}
