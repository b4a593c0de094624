// SPDX-License-Identifier: GPL-3.0-or-later
#include "dircomp/pDirSync.h"

#include "core/MessageTable.h"
#include "core/WorkerJob.h"
#include "dircomp/DirCompCopy.h"
#include "dircomp/DirCompFailure.h"
#include "dircomp/pDirComp.h"
#include "platform/FileHandle.h"
#include "platform/FileNameCodec.h"

#include <cerrno>
#include <cstring>

namespace {
constexpr qint64 kCompareChunk = 1 << 20;

using Skip = pDirSync::Skip;

// Entry codes that say the file is no longer the one compared.
bool goneOrReplaced(int code)
{
    return code == ENOENT || code == ELOOP || code == EINVAL;
}

// Fills `into` from `offset`; the count read (short only at the end), or -errno.
qint64 readFull(const FileHandle& file, qint64 offset, char* into, qint64 length)
{
    qint64 total = 0;
    while (total < length) {
        const qint64 got = file.readAt(offset + total, into + total, length - total);
        if (got < 0)
            return got;
        if (got == 0)
            break;
        total += got;
    }
    return total;
}
} // namespace

QString pDirSync::SkipText(Skip reason)
{
    switch (reason) {
    case Skip::Changed:
        return QStringLiteral("seit dem Vergleich verändert");
    case Skip::Content:
        return QStringLiteral("gleich alt und gleich groß, aber mit anderem Inhalt");
    case Skip::Conflict:
        return QStringLiteral("der Name ist ohne Groß-/Kleinschreibung nicht eindeutig");
    case Skip::Blocked:
        return QStringLiteral("ein Ordner, eine Verknüpfung oder eine Sonderdatei trägt den "
                              "Namen im Zielordner");
    case Skip::None:
        break;
    }
    return {};
}

const char* pDirSync::SkipWord(Skip reason)
{
    switch (reason) {
    case Skip::Changed:
        return "changed";
    case Skip::Content:
        return "content";
    case Skip::Conflict:
        return "conflict";
    case Skip::Blocked:
        return "blocked";
    case Skip::None:
        break;
    }
    return "";
}

bool pDirSync::goOn(const QByteArray& name)
{
    if (!m_context)
        return true;
    m_context->progress(m_done, m_total, DisplayFileName(DecodeFileName(name)));
    return !m_context->cancelled();
}

bool pDirSync::Run(int actions, JobContext* context, const Report& report)
{
    if (!m_comparison.CanSync())
        throw AppErrorRecord(RuntimeError::InvalidProcedureCall, QStringLiteral("pDirSync"),
                             QStringLiteral("Der Vergleich kann nicht abgeglichen werden."));
    m_context = context;
    m_done = 0;
    m_total = 0;
    const auto count = [this](const DirCompItems& items, DirCompClass cls) {
        for (const DirCompItem& item : items)
            m_total += item.cls == cls ? 1 : 0;
    };
    if (actions & DeleteSame)
        count(m_comparison.Source(), DirCompClass::Same);
    if (actions & Copy)
        count(m_comparison.Source(), DirCompClass::Differs);
    if (actions & DeleteExtra)
        count(m_comparison.Dest(), DirCompClass::Extra);
    if ((actions & DeleteSame) && !deleteSame(report))
        return false;
    if ((actions & Copy) && !copyDiffering(report))
        return false;
    return !(actions & DeleteExtra) || deleteExtra(report);
}

namespace {
void syncFolder(const FolderHandle& folder, const QByteArray& path)
{
    if (const int code = folder.sync())
        DirCompFail(Msg::FileWriteFailed, path, {}, code);
}

// Whether the file is still the one compared (Changed when it is gone or
// another); a folder that cannot be asked raises.
Skip stillCompared(const FolderHandle& folder, const QByteArray& path, const DirCompItem& item)
{
    EntryStat now;
    const int code = folder.statAt(item.name, now);
    if (code == ENOENT || (code == 0 && !now.sameFile(item.stat)))
        return Skip::Changed;
    if (code != 0)
        DirCompFail(Msg::FileReadFailed, path, item.name, code);
    return Skip::None;
}
} // namespace

bool pDirSync::deleteSame(const Report& report)
{
    const FolderHandle& folder = m_comparison.SourceFolder();
    bool deleted = false;
    bool cancelled = false;
    for (const DirCompItem& item : m_comparison.Source()) {
        if (item.cls != DirCompClass::Same)
            continue;
        if (!goOn(item.name)) {
            cancelled = true;
            break;
        }
        const Skip skip =
            item.partner < 0
                ? Skip::Changed
                : verifiedDeletable(item, m_comparison.Dest()[item.partner], cancelled);
        if (cancelled)
            break;
        if (skip == Skip::None) {
            if (const int code = folder.removeAt(item.name))
                DirCompFail(Msg::FileDeleteFailed, m_comparison.SourcePath(), item.name, code);
            deleted = true;
        }
        report(skip == Skip::None ? Done::DeletedSource : Done::Skipped, skip, item.name);
        ++m_done;
    }
    if (deleted)
        syncFolder(folder, m_comparison.SourcePath());
    return !cancelled;
}

pDirSync::Skip pDirSync::verifiedDeletable(const DirCompItem& source, const DirCompItem& dest,
                                           bool& cancelled)
{
    if (stillCompared(m_comparison.SourceFolder(), m_comparison.SourcePath(), source) != Skip::None)
        return Skip::Changed;
    // The copy that stays must be the compared file and on the disk before
    // the original goes.
    FileHandle copy;
    if (const int open = copy.openRead(m_comparison.DestFolder(), dest.name)) {
        if (goneOrReplaced(open))
            return Skip::Changed;
        DirCompFail(Msg::FileReadFailed, m_comparison.DestPath(), dest.name, open);
    }
    EntryStat held;
    if (const int stat = copy.stat(held))
        DirCompFail(Msg::FileReadFailed, m_comparison.DestPath(), dest.name, stat);
    if (!held.sameFile(dest.stat))
        return Skip::Changed;
    if (const int sync = copy.sync())
        DirCompFail(Msg::FileWriteFailed, m_comparison.DestPath(), dest.name, sync);
    if (source.stat.mtimeSec != dest.stat.mtimeSec || source.stat.size != dest.stat.size)
        return Skip::None; // the destination holds a newer file
    return contentCheck(source, copy, held, cancelled);
}

pDirSync::Skip pDirSync::contentCheck(const DirCompItem& source, const FileHandle& copy,
                                      const EntryStat& held, bool& cancelled)
{
    FileHandle original;
    if (const int open = original.openRead(m_comparison.SourceFolder(), source.name)) {
        if (goneOrReplaced(open))
            return Skip::Changed;
        DirCompFail(Msg::FileReadFailed, m_comparison.SourcePath(), source.name, open);
    }
    EntryStat before;
    if (original.stat(before) != 0 || !before.sameFile(source.stat))
        return Skip::Changed;
    QByteArray mine(kCompareChunk, Qt::Uninitialized);
    QByteArray theirs(kCompareChunk, Qt::Uninitialized);
    for (qint64 offset = 0; offset < before.size; offset += kCompareChunk) {
        if (!goOn(source.name)) {
            cancelled = true;
            return Skip::None;
        }
        const qint64 length = std::min(kCompareChunk, before.size - offset);
        const qint64 a = readFull(original, offset, mine.data(), length);
        if (a < 0)
            DirCompFail(Msg::FileReadFailed, m_comparison.SourcePath(), source.name, int(-a));
        const qint64 b = readFull(copy, offset, theirs.data(), length);
        if (b < 0)
            DirCompFail(Msg::FileReadFailed, m_comparison.DestPath(), source.name, int(-b));
        if (a != length || b != length)
            return Skip::Changed;
        if (std::memcmp(mine.constData(), theirs.constData(), size_t(length)) != 0)
            return Skip::Content;
    }
    EntryStat afterMine;
    EntryStat afterTheirs;
    if (original.stat(afterMine) != 0 || !afterMine.unchanged(before) ||
        copy.stat(afterTheirs) != 0 || !afterTheirs.unchanged(held))
        return Skip::Changed;
    return Skip::None;
}

bool pDirSync::copyDiffering(const Report& report)
{
    bool cancelled = false;
    for (const DirCompItem& item : m_comparison.Source()) {
        if (item.cls != DirCompClass::Differs)
            continue;
        if (!goOn(item.name)) {
            cancelled = true;
            break;
        }
        const Skip skip = copyOne(item, cancelled);
        if (cancelled)
            break;
        report(skip == Skip::None ? Done::Copied : Done::Skipped, skip, item.name);
        ++m_done;
    }
    syncFolder(m_comparison.DestFolder(), m_comparison.DestPath());
    DirCompCopy::RemoveLeftovers(m_comparison.DestFolder());
    return !cancelled;
}

pDirSync::Skip pDirSync::copyOne(const DirCompItem& source, bool& cancelled)
{
    if (source.conflict)
        return Skip::Conflict;
    const FolderHandle& to = m_comparison.DestFolder();
    if (stillCompared(m_comparison.SourceFolder(), m_comparison.SourcePath(), source) != Skip::None)
        return Skip::Changed;
    const DirCompItem* replaced =
        source.partner >= 0 ? &m_comparison.Dest()[source.partner] : nullptr;
    const QByteArray& target = replaced ? replaced->name : source.name;
    EntryStat now;
    int code = to.statAt(target, now);
    if (code == 0 && !now.isRegular())
        return Skip::Blocked;
    if ((code == 0 && (!replaced || !now.sameFile(replaced->stat))) || (code == ENOENT && replaced))
        return Skip::Changed;
    if (code != 0 && code != ENOENT)
        DirCompFail(Msg::FileReadFailed, m_comparison.DestPath(), target, code);
    // A file the user may not write is not replaced behind his back.
    if (replaced && (code = to.mayWriteAt(target)) != 0)
        DirCompFail(Msg::FileWriteFailed, m_comparison.DestPath(), target, code);
    const DirCompCopy::Result result = DirCompCopy::Copy(
        {m_comparison.SourceFolder(), m_comparison.SourcePath()}, source,
        {to, m_comparison.DestPath()}, target, replaced ? &replaced->stat : nullptr,
        [&](qint64) { return goOn(source.name); });
    switch (result) {
    case DirCompCopy::Result::Copied:
        return Skip::None;
    case DirCompCopy::Result::Blocked:
        return Skip::Blocked;
    case DirCompCopy::Result::Cancelled:
        cancelled = true;
        return Skip::None;
    case DirCompCopy::Result::Changed:
        break;
    }
    return Skip::Changed;
}

bool pDirSync::deleteExtra(const Report& report)
{
    const FolderHandle& folder = m_comparison.DestFolder();
    bool deleted = false;
    bool cancelled = false;
    for (const DirCompItem& item : m_comparison.Dest()) {
        if (item.cls != DirCompClass::Extra)
            continue;
        if (!goOn(item.name)) {
            cancelled = true;
            break;
        }
        Skip skip = stillCompared(folder, m_comparison.DestPath(), item);
        // A file of that name in the source since: no longer surplus.
        EntryStat now;
        int code = m_comparison.SourceFolder().statAt(item.name, now);
        if (code == 0 && now.isRegular())
            skip = Skip::Changed;
        else if (code != 0 && code != ENOENT)
            DirCompFail(Msg::FileReadFailed, m_comparison.SourcePath(), item.name, code);
        if (skip == Skip::None) {
            if ((code = folder.removeAt(item.name)) != 0)
                DirCompFail(Msg::FileDeleteFailed, m_comparison.DestPath(), item.name, code);
            deleted = true;
        }
        report(skip == Skip::None ? Done::DeletedDest : Done::Skipped, skip, item.name);
        ++m_done;
    }
    if (deleted)
        syncFolder(folder, m_comparison.DestPath());
    return !cancelled;
}
