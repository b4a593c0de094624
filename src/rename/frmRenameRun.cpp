// SPDX-License-Identifier: GPL-3.0-or-later
// What "&OK" and "&Rückgängig" of the batch rename window set going: the
// check of every file, the preview, the run and the undo, each on the
// worker thread under a progress window.
#include "rename/frmRename.h"

#include "core/AppErrorRecord.h"
#include "core/AppGlobals.h"
#include "core/JobProgressDialog.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "platform/FileNameCodec.h"
#include "platform/FolderRename.h"
#include "platform/MessageBoxService.h"
#include "rename/RenameJobs.h"
#include "rename/RenameRecovery.h"
#include "rename/RenameUndo.h"
#include "rename/frmRenamePrv.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QString kModule = QStringLiteral("frmRename");
const QString kTitle = QStringLiteral("Stapel-Umbenennen");

// Runs a run (or undo) job under a progress window; a failure to start it
// (the journal could not be written) is shown there.
std::unique_ptr<RenameRun> RunUnderProgress(QWidget* owner, FolderRename& folder,
                                            RenameJournal& journal)
{
    auto job = std::make_shared<RenameRunJob>(folder, journal);
    JobProgressDialog::run(owner, kTitle, job, kModule, QStringLiteral("Run"));
    return std::move(job->result);
}
} // namespace

void frmRename::cmdOK_Click()
{
    const RenameRule rule = Rule();
    if (rule.GivesOneName()) {
        AppErr().MsgShow(Msg::RenameNeedsOption, MsgStyle::Exclamation);
        return;
    }
    if (rule.numbering && !rule.places) {
        AppErr().MsgShow(Msg::FieldRequired, MsgStyle::Exclamation);
        txtPlaces->setFocus();
        return;
    }
    if (!CheckFiles() || m_files.Count() == 0)
        return;
    const qsizetype problems = m_files.ErrorCount();
    if (problems > 0) {
        AppErr().MsgShow(Msg::RenameProblems, MsgStyle::Exclamation, problems);
        ShowPreview();
        return;
    }
    const int answer =
        AppErr().MsgShow(Msg::RenameCheckPassed,
                         MsgStyle::YesNoCancel | MsgStyle::Question | MsgStyle::DefaultButton2);
    if (answer == MsgResult::Yes)
        RunRename();
    else if (answer == MsgResult::No)
        ShowPreview();
}

bool frmRename::CheckFiles()
{
    const RenameRule rule = Rule();
    const qint64 first =
        rule.numbering ? RenameRule::ParseNumber(txtNumber->text()).value_or(0) : 0;
    auto job = std::make_shared<RenameCheckJob>(rule, m_folder, m_mask, first);
    const JobResult result =
        JobProgressDialog::run(this, kTitle, job, kModule, QStringLiteral("Run"));
    if (!result.done())
        return false;
    m_files = std::move(job->files);
    return true;
}

void frmRename::RunRename()
{
    RenameJournalLock lock;
    FolderRename folder(m_folder);
    RenameJournal journal;
    journal.plan = RenamePlan::FromCheck(m_folder, m_files, folder);
    qsizetype renamed = 0;
    if (!journal.plan.moves.isEmpty()) {
        const std::unique_ptr<RenameRun> run = RunUnderProgress(this, folder, journal);
        if (!run)
            return;
        renamed = run->Renamed();
        if (run->Error())
            AppErr().ErrMsg(*run->Error(), kModule, QStringLiteral("Run"));
    }
    if (renamed > 0)
        chkEdited = 1;
    AppErr().MsgShow(Msg::FilesRenamed, MsgStyle::Information, renamed);
    RefreshUndo();
}

void frmRename::ShowPreview()
{
    frmRenamePrv preview(this);
    preview.Fill(m_files);
    preview.exec();
}

void frmRename::RefreshUndo()
{
    bool offered = false;
    try {
        const std::optional<RenameJournal> last = RenameJournal::Read();
        offered = last && last->plan.folder == m_folder && !last->plan.moves.isEmpty();
    } catch (const AppErrorRecord&) {
        // A damaged journal offers nothing; "&Rückgängig" would only say so.
    }
    cmdUndo->setEnabled(offered);
}

void frmRename::cmdUndo_Click()
{
    const std::optional<RenameJournal> last = RenameJournal::Read();
    if (!last) {
        AppErr().MsgShow(Msg::RenameNothingToUndo, MsgStyle::Information);
        RefreshUndo();
        return;
    }
    if (AppErr().MsgShow(Msg::RenameUndoQuestion, MsgStyle::YesNo | MsgStyle::Question,
                         DisplayFileName(last->plan.folder)) != MsgResult::Yes)
        return;
    UndoLastRun();
}

void frmRename::UndoLastRun()
{
    RenameJournalLock lock;
    std::optional<RenameJournal> last = RenameJournal::Read();
    if (!last)
        return;
    FolderRename folder(last->plan.folder);
    RenameUndo undo;
    QString problem;
    if (!undo.Prepare(*last, folder, problem))
        throw AppErrorRecord(RuntimeError::PathFileAccess, QStringLiteral("RenameUndo"), problem);
    qsizetype renamed = 0;
    if (!undo.Journal().plan.moves.isEmpty()) {
        const std::unique_ptr<RenameRun> run = RunUnderProgress(this, folder, undo.Journal());
        if (!run)
            return;
        undo.Apply(*run, true);
        renamed = run->Renamed();
        if (run->Error())
            AppErr().ErrMsg(*run->Error(), kModule, QStringLiteral("Undo"));
    }
    if (renamed > 0)
        chkEdited = 1;
    AppErr().MsgShow(Msg::RenameUndone, MsgStyle::Information, renamed);
    if (undo.Missed() > 0)
        AppErr().MsgShow(Msg::RenameUndoMissed, MsgStyle::Exclamation, undo.Missed());
    RefreshUndo();
}

void frmRename::FinishLastRun()
{
    bool interrupted = false;
    QString folder;
    {
        RenameJournalLock lock;
        std::optional<RenameJournal> last = RenameJournal::Read();
        QString problem;
        interrupted = last && FinishInterruptedRun(*last, problem);
        if (interrupted)
            folder = last->plan.folder;
        if (!problem.isEmpty())
            throw AppErrorRecord(RuntimeError::PathFileAccess, QStringLiteral("RenameRecovery"),
                                 problem);
    }
    RefreshUndo();
    if (interrupted &&
        AppErr().MsgShow(Msg::RenameInterrupted, MsgStyle::YesNo | MsgStyle::Question,
                         DisplayFileName(folder)) == MsgResult::Yes)
        UndoLastRun();
}
