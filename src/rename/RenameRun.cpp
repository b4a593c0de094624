// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/RenameRun.h"

#include "core/MessageTable.h"
#include "core/WorkerJob.h"
#include "core/cuAppError.h"
#include "platform/FileNameCodec.h"
#include "platform/FolderRename.h"
#include "platform/MessageBoxService.h"
#include "platform/SystemError.h"
#include "rename/RenameCheck.h"

#include <cerrno>

namespace {
QString Shown(const QByteArray& name)
{
    return DisplayFileName(DecodeFileName(name));
}
} // namespace

RenameRun::RenameRun(FolderRename& folder, RenameJournal& journal, JobContext& context)
    : m_folder(folder), m_journal(journal), m_context(context)
{
}

void RenameRun::Execute()
{
    const RenamePlan& plan = m_journal.plan;
    m_outcomes = QList<Outcome>(plan.moves.size(), Outcome::Pending);
    m_journal.finished = false;
    m_journal.Write();
    for (qsizetype first = 0; first < plan.moves.size();) {
        if (m_context.cancelled()) {
            m_stopped = m_cancelled = true;
            break;
        }
        m_context.progress(first, plan.moves.size(), Shown(plan.moves[first].from));
        const qsizetype end = plan.GroupEnd(first);
        if (RunGroup(first, end) == Step::Stop) {
            m_stopped = true;
            break;
        }
        first = end;
    }
    m_folder.Sync();
    m_journal.finished = !m_leftInTemp;
    try {
        m_journal.Write();
    } catch (const AppErrorRecord& e) {
        // The files are where they should be; only the record of it is old,
        // and the next start finds nothing to finish.
        if (!m_error)
            m_error = e;
    }
}

RenameRun::Step RenameRun::RunGroup(qsizetype first, qsizetype end)
{
    if (m_outcomes[first] == Outcome::Skipped)
        return Step::Skip;
    return m_journal.plan.moves[first].cycle ? RunCycle(first, end) : RunSingle(first);
}

bool RenameRun::Move(const QByteArray& from, const QByteArray& to, int& error)
{
    error = m_folder.Move(from, to);
    return error == 0;
}

// A name that differs only in case is the file itself where the file
// system ignores case (FAT, exFAT, SMB, casefolded folders): the kernel
// refuses it as taken, so the file steps through the temporary name. FUSE
// file systems may give the two spellings different inode numbers, so a
// case-only change goes that way too; should another file hold the name
// after all, the last step is refused and the file goes back.
bool RenameRun::MoveViaTemp(const RenameMove& move, int& error)
{
    FileIdentity holder;
    const bool caseOnly =
        RenameFoldKey(DecodeFileName(move.from)) == RenameFoldKey(DecodeFileName(move.to));
    if (!caseOnly && (!m_folder.Identify(move.to, holder) || holder != move.id))
        return false;
    const QByteArray& temp = m_journal.plan.tempName;
    if (!Move(move.from, temp, error))
        return true;
    if (!Move(temp, move.to, error)) {
        int back = 0;
        m_leftInTemp = !Move(temp, move.from, back);
    }
    return true;
}

RenameRun::Step RenameRun::RunSingle(qsizetype index)
{
    const RenameMove& move = m_journal.plan.moves[index];
    int error = 0;
    if (!Move(move.from, move.to, error)) {
        const bool itself = error == EEXIST && MoveViaTemp(move, error);
        if (!itself || error != 0)
            return Refused(index, error);
    }
    m_outcomes[index] = Outcome::Renamed;
    ++m_renamed;
    return Step::Done;
}

RenameRun::Step RenameRun::Refused(qsizetype index, int error)
{
    const RenameMove& move = m_journal.plan.moves[index];
    if (error != EEXIST) {
        Fail(move, error);
        return Step::Stop;
    }
    const int answer =
        m_context.askMessage(Msg::RenameTargetExists, MsgStyle::OkCancel | MsgStyle::Exclamation,
                             Shown(move.from), Shown(move.to));
    if (answer != MsgResult::Ok) {
        m_cancelled = m_context.cancelled();
        return Step::Stop;
    }
    SkipWaiting(index);
    return Step::Skip;
}

void RenameRun::SkipWaiting(qsizetype index)
{
    for (qsizetype i = index; i >= 0 && m_outcomes[i] != Outcome::Skipped;
         i = m_journal.plan.moves[i].next)
        m_outcomes[i] = Outcome::Skipped;
}

RenameRun::Step RenameRun::RunCycle(qsizetype first, qsizetype end)
{
    const QList<RenameMove>& moves = m_journal.plan.moves;
    const QByteArray& temp = m_journal.plan.tempName;
    int error = 0;
    if (!Move(moves[first].from, temp, error)) {
        Fail(moves[first], error);
        return Step::Stop;
    }
    for (qsizetype i = first + 1; i < end; ++i) {
        if (!Move(moves[i].from, moves[i].to, error)) {
            // The cycle cannot close: every file goes back where it was.
            RollBack(first, i);
            if (error == EEXIST && Refused(i, error) == Step::Skip) {
                for (qsizetype k = first; k < end; ++k)
                    m_outcomes[k] = Outcome::Skipped;
                return Step::Skip;
            }
            if (error != EEXIST)
                Fail(moves[i], error);
            return Step::Stop;
        }
    }
    if (!Move(temp, moves[first].to, error)) {
        RollBack(first, end);
        Fail(moves[first], error);
        return Step::Stop;
    }
    for (qsizetype k = first; k < end; ++k)
        m_outcomes[k] = Outcome::Renamed;
    m_renamed += end - first;
    return Step::Done;
}

void RenameRun::RollBack(qsizetype first, qsizetype last)
{
    const QList<RenameMove>& moves = m_journal.plan.moves;
    int error = 0;
    for (qsizetype k = last - 1; k > first; --k)
        Move(moves[k].to, moves[k].from, error);
    // What cannot go back stays under the temporary name; the journal is
    // not finished then, and the next start completes the cycle.
    m_leftInTemp = !Move(m_journal.plan.tempName, moves[first].from, error);
}

void RenameRun::Fail(const RenameMove& move, int error)
{
    if (m_error)
        return;
    m_error = AppErrorRecord(RuntimeError::PathFileAccess, QStringLiteral("RenameRun"),
                             QStringLiteral("Die Datei '%1' kann nicht in '%2' umbenannt "
                                            "werden: %3.")
                                 .arg(Shown(move.from), Shown(move.to), SystemErrorText(error)));
}
