// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/SlideshowCommand.h"

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "core/AppErrorRecord.h"
#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "pictures/SlideshowCursor.h"
#include "pictures/SlideshowPlan.h"
#include "pictures/pPicViewer.h"
#include "platform/FileNameCodec.h"

#include <QDir>

const char* const kSlideshowCommandUsage =
    "slideshow PFAD (Ordner oder Slideshow-Datei *.ini: Intervall, Hintergrund, Maximiert, "
    "dann die Bilder in der Reihenfolge der Slideshow)";

namespace {
int printPlan(const QString& path)
{
    const pPicViewer viewer;
    const SlideshowPlan plan =
        SlideshowPlan::Make(path, QDir::currentPath(), viewer.FilePatternText());
    if (!plan.validPath) {
        cliError(AppErr().MsgLoad(Msg::SlideshowFolderMissing, DisplayFileName(path)));
        return 1;
    }
    for (const SlideshowPlan::Notice& notice : plan.notices)
        cliError(AppErr().MsgLoad(notice.message, notice.argument));
    if (plan.files.isEmpty())
        return 1;
    // As the show takes them: a command file's interval above one second
    // replaces the stored one, and the interval list makes whole seconds of it.
    const qint32 interval = plan.interval > 1000 ? plan.interval : viewer.SlideShowInterval();
    const qint32 shown = (SlideshowCursor::EntryFor(interval) + 1) * 1000;
    const qint32 colour = plan.backColor != -1 ? plan.backColor : viewer.BackColor();
    cliPrint(QStringLiteral("Intervall\t") + QString::number(shown));
    cliPrint(QStringLiteral("Hintergrund\t") + QString::number(quint32(colour)));
    cliPrint(QStringLiteral("Maximiert\t") +
             (plan.maximize ? QStringLiteral("Ja") : QStringLiteral("Nein")));
    QStringList files = plan.files;
    SlideshowCursor::SortFiles(files);
    for (const QString& file : std::as_const(files))
        cliPrintBytes(EncodeFileName(file));
    return 0;
}
} // namespace

int runSlideshowCommand(const QStringList& args)
{
    CliOptions options;
    if (!options.parse(args, {}) || options.operands().size() != 1 ||
        options.operands().first().isEmpty()) {
        cliError(QStringLiteral("Aufruf: tolvane-cli ") +
                 QString::fromUtf8(kSlideshowCommandUsage));
        return 2;
    }
    try {
        return printPlan(options.operands().first());
    } catch (...) {
        cliError(AppErrorRecord::fromException(std::current_exception()).Description);
        return 1;
    }
}
