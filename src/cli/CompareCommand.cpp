// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CompareCommand.h"

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliOutputBuffer.h"
#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "dircomp/pDirComp.h"
#include "dircomp/pDirSync.h"
#include "platform/FileNameCodec.h"
#include "platform/SystemError.h"
#include "rename/NameEscape.h"

#include <cerrno>
#include <cstdio>

const char* const kCompareCommandUsage =
    "compare QUELLE ZIEL [--diff-only] [--sync delete-same,copy,delete-extra] "
    "(Rückgabewert 3: fertig, Dateien übersprungen)";

namespace {
bool parseActions(const QString& list, int& actions)
{
    actions = 0;
    for (const QString& word : list.split(QLatin1Char(','))) {
        if (word == QLatin1String("delete-same"))
            actions |= pDirSync::DeleteSame;
        else if (word == QLatin1String("copy"))
            actions |= pDirSync::Copy;
        else if (word == QLatin1String("delete-extra"))
            actions |= pDirSync::DeleteExtra;
        else
            return false;
    }
    return true;
}

const char* className(DirCompClass cls)
{
    switch (cls) {
    case DirCompClass::Differs:
        return "Differs";
    case DirCompClass::Same:
        return "Same";
    case DirCompClass::Extra:
        break;
    }
    return "Extra";
}

void printList(const char* side, const DirCompItems& items, bool diffOnly)
{
    QByteArray heads[3]; // made once, not per line
    for (const DirCompClass cls : {DirCompClass::Differs, DirCompClass::Same, DirCompClass::Extra})
        heads[int(cls)] = QByteArray(side) + '\t' + className(cls) + '\t';
    CliOutputBuffer out;
    for (const DirCompItem& item : items) {
        if (diffOnly && item.cls == DirCompClass::Same)
            continue;
        out.Bytes().append(heads[int(item.cls)]);
        EscapeNameTo(out.Bytes(), item.name);
        out.Bytes().append('\n');
        out.Written();
    }
}

void printDone(pDirSync::Done done, pDirSync::Skip reason, const QByteArray& name)
{
    QByteArray line;
    switch (done) {
    case pDirSync::Done::DeletedSource:
        line = "deleted-source\t";
        break;
    case pDirSync::Done::Copied:
        line = "copied\t";
        break;
    case pDirSync::Done::DeletedDest:
        line = "deleted-dest\t";
        break;
    case pDirSync::Done::Skipped:
        line = QByteArray("skipped\t") + pDirSync::SkipWord(reason) + '\t';
        break;
    }
    EscapeNameTo(line, name);
    cliPrintBytes(line);
}

int usageError(const QString& why = {})
{
    if (!why.isEmpty())
        cliError(why);
    cliError(QStringLiteral("Aufruf: tolvane-cli ") + QString::fromUtf8(kCompareCommandUsage));
    return 2;
}
} // namespace

int runCompareCommand(const QStringList& args)
{
    CliOptions options;
    if (!options.parse(args, {{"--diff-only", false}, {"--sync", true}}))
        return usageError();
    const QStringList& folders = options.operands();
    if (folders.size() != 2 || folders.contains(QString()))
        return usageError();
    int actions = 0;
    if (options.has("--sync") && !parseActions(options.value("--sync"), actions))
        return usageError(QStringLiteral("Unbekannte Aktion für --sync: '%1' (möglich sind "
                                         "delete-same, copy und delete-extra).")
                              .arg(options.value("--sync")));
    pDirComp comparison;
    try {
        const pDirComp::Outcome outcome =
            comparison.Compare(folders.at(0), folders.at(1), nullptr,
                               actions ? pDirComp::Use::Sync : pDirComp::Use::ListOnly);
        if (outcome == pDirComp::Outcome::SameFolder) {
            cliError(AppErr().MsgLoad(Msg::SameFolder, DisplayFileName(folders.at(0))));
            return 1;
        }
        const bool diffOnly = options.has("--diff-only");
        printList("source", comparison.Source(), diffOnly);
        printList("dest", comparison.Dest(), diffOnly);
        if (actions == 0)
            return cliOutputChecked(0);
        bool skipped = false;
        pDirSync(comparison)
            .Run(actions, nullptr,
                 [&](pDirSync::Done done, pDirSync::Skip reason, const QByteArray& name) {
                     skipped = skipped || done == pDirSync::Done::Skipped;
                     printDone(done, reason, name);
                 });
        return cliOutputChecked(skipped ? 3 : 0);
    } catch (const AppErrorRecord& e) {
        std::fflush(stdout);
        cliError(e.Description);
        return 1;
    }
}
