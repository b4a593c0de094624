// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AppErrorRecord.h"
#include "rename/RenameJournal.h"

#include <QList>

#include <optional>

class FolderRename;
class JobContext;

// Carries out a plan exactly, move by move, in the folder opened once:
// nothing is ever replaced. A name taken since the check asks message 118
// (OK skips that file and those waiting for it, Cancel stops); any other
// failure stops the run after the cycle under way with the system's reason.
// A cancel stops between moves and never inside a cycle.
//
// The journal goes to the disk before the first move and is marked
// finished at the end, so a run cut short can be completed.
class RenameRun {
public:
    enum class Outcome { Pending, Renamed, Skipped };

    RenameRun(FolderRename& folder, RenameJournal& journal, JobContext& context);

    // Writes the journal, runs, marks the journal finished. Raises only when
    // the journal cannot be written (then nothing moved).
    void Execute();

    const QList<Outcome>& Outcomes() const { return m_outcomes; } // per plan move
    qsizetype Renamed() const { return m_renamed; }
    bool Stopped() const { return m_stopped; }     // by Cancel, a cancel or a failure
    bool Cancelled() const { return m_cancelled; } // the user cancelled (not a failure)
    const std::optional<AppErrorRecord>& Error() const { return m_error; }

private:
    enum class Step { Done, Skip, Stop };
    Step RunGroup(qsizetype first, qsizetype end);
    Step RunSingle(qsizetype index);
    Step RunCycle(qsizetype first, qsizetype end);
    bool Move(const QByteArray& from, const QByteArray& to, int& error);
    bool MoveViaTemp(const RenameMove& move, int& error);
    Step Refused(qsizetype index, int error);
    void RollBack(qsizetype first, qsizetype last);
    void SkipWaiting(qsizetype index);
    void Fail(const RenameMove& move, int error);

    FolderRename& m_folder;
    RenameJournal& m_journal;
    JobContext& m_context;
    QList<Outcome> m_outcomes;
    qsizetype m_renamed = 0;
    bool m_stopped = false;
    bool m_cancelled = false;
    bool m_leftInTemp = false; // a file could not leave the temporary name
    std::optional<AppErrorRecord> m_error;
};
