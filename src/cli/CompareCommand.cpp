// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CompareCommand.h"

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "dircomp/pDirComp.h"
#include "dircomp/pDirSync.h"
#include "platform/FileNameCodec.h"
#include "platform/SystemError.h"

#include <cerrno>
#include <cstdio>

const char* const kCompareCommandUsage =
    "compare QUELLE ZIEL [--diff-only] [--sync delete-same,copy,delete-extra] "
    "(Rückgabewert 3: fertig, Dateien übersprungen)";

namespace {
// Length of the well-formed UTF-8 sequence at `at`, 0 when there is none.
qsizetype sequenceLength(QByteArrayView bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return i < bytes.size() ? quint8(bytes[i]) : 0u; };
    const auto tail = [&](qsizetype i) { return (byte(i) & 0xC0u) == 0x80u; };
    const quint8 lead = quint8(bytes[at]);
    if (lead >= 0xC2 && lead <= 0xDF)
        return tail(at + 1) ? 2 : 0;
    quint8 low = 0x80;
    quint8 high = 0xBF;
    if (lead == 0xE0 || lead == 0xF0)
        low = lead == 0xE0 ? 0xA0 : 0x90; // no overlong forms
    if (lead == 0xED)
        high = 0x9F; // no surrogates
    if (lead == 0xF4)
        high = 0x8F; // nothing beyond U+10FFFF
    const bool second = byte(at + 1) >= low && byte(at + 1) <= high;
    if (lead >= 0xE0 && lead <= 0xEF)
        return second && tail(at + 2) ? 3 : 0;
    if (lead >= 0xF0 && lead <= 0xF4)
        return second && tail(at + 2) && tail(at + 3) ? 4 : 0;
    return 0;
}

void appendHex(QByteArray& out, quint8 byte)
{
    static constexpr char digits[] = "0123456789abcdef";
    out += "\\x";
    out += digits[byte >> 4];
    out += digits[byte & 0xF];
}

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
    // One buffer for many lines: a large folder prints without a copy per line.
    QByteArray lines;
    lines.reserve(1 << 16);
    for (const DirCompItem& item : items) {
        if (diffOnly && item.cls == DirCompClass::Same)
            continue;
        lines.append(side).append('\t').append(className(item.cls)).append('\t');
        AppendEscapedName(lines, item.name);
        lines.append('\n');
        if (lines.size() >= (1 << 16)) {
            std::fwrite(lines.constData(), 1, size_t(lines.size()), stdout);
            lines.clear();
        }
    }
    std::fwrite(lines.constData(), 1, size_t(lines.size()), stdout);
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
    cliPrintBytes(line + EscapeCompareName(name));
}

int usageError(const QString& why = {})
{
    if (!why.isEmpty())
        cliError(why);
    cliError(QStringLiteral("Aufruf: tolvane-cli ") + QString::fromUtf8(kCompareCommandUsage));
    return 2;
}
} // namespace

QByteArray EscapeCompareName(QByteArrayView name)
{
    QByteArray out;
    AppendEscapedName(out, name);
    return out;
}

void AppendEscapedName(QByteArray& out, QByteArrayView name)
{
    for (qsizetype i = 0; i < name.size();) {
        const quint8 byte = quint8(name[i]);
        if (byte >= 0x80) {
            if (const qsizetype length = sequenceLength(name, i)) {
                out.append(name.sliced(i, length));
                i += length;
            } else {
                appendHex(out, byte);
                ++i;
            }
            continue;
        }
        ++i;
        if (byte == '\\')
            out += "\\\\";
        else if (byte == '\t')
            out += "\\t";
        else if (byte == '\n')
            out += "\\n";
        else if (byte == '\r')
            out += "\\r";
        else if (byte < 0x20 || byte == 0x7F)
            appendHex(out, byte);
        else
            out += char(byte);
    }
}

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
