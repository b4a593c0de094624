// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/RenameRecovery.h"

#include "platform/FileNameCodec.h"
#include "platform/FolderRename.h"
#include "platform/SystemError.h"
#include "rename/RenameJournal.h"

#include <QSet>

namespace {
bool IsAt(const FolderRename& folder, const QByteArray& name, const FileIdentity& id)
{
    FileIdentity found;
    return folder.Identify(name, found) && found == id;
}

bool IdsUnique(const RenamePlan& plan)
{
    QSet<QPair<quint64, quint64>> seen;
    for (const RenameMove& m : plan.moves) {
        if (seen.contains({m.id.device, m.id.inode}))
            return false;
        seen.insert({m.id.device, m.id.inode});
    }
    return true;
}

// A crash between link and unlink leaves both names; the move had begun.
void DropDoubleNames(FolderRename& folder, const RenamePlan& plan)
{
    if (!IdsUnique(plan))
        return; // hard links among the files: both names are the user's
    for (const RenameMove& m : plan.moves) {
        const bool atTemp = IsAt(folder, plan.tempName, m.id);
        if (IsAt(folder, m.from, m.id) && (atTemp || IsAt(folder, m.to, m.id)))
            folder.RemoveName(m.from);
        if (atTemp && IsAt(folder, m.to, m.id))
            folder.RemoveName(plan.tempName);
    }
}

QString MoveProblem(const QByteArray& from, const QByteArray& to, int error)
{
    return QStringLiteral("Die Datei '%1' kann nicht in '%2' umbenannt werden: %3.")
        .arg(DisplayFileName(DecodeFileName(from)), DisplayFileName(DecodeFileName(to)),
             SystemErrorText(error));
}

// The cycle (or case-only step) of the file under the temporary name.
QString FinishTempGroup(FolderRename& folder, const RenamePlan& plan)
{
    FileIdentity id;
    if (!folder.Identify(plan.tempName, id))
        return {};
    qsizetype index = -1;
    for (qsizetype i = 0; i < plan.moves.size() && index < 0; ++i) {
        if (plan.moves[i].id == id)
            index = i;
    }
    if (index < 0)
        return {}; // not one of the run's files: not ours to move
    const RenameMove& parked = plan.moves[index];
    const qsizetype end = parked.cycle ? plan.GroupEnd(index) : index + 1;
    for (qsizetype i = index + 1; i < end; ++i) {
        const RenameMove& m = plan.moves[i];
        if (!IsAt(folder, m.from, m.id))
            continue;
        if (const int error = folder.Move(m.from, m.to))
            return MoveProblem(m.from, m.to, error);
    }
    if (const int error = folder.Move(plan.tempName, parked.to))
        return MoveProblem(plan.tempName, parked.to, error);
    return {};
}
} // namespace

bool FinishInterruptedRun(RenameJournal& journal, QString& problem)
{
    problem.clear();
    if (journal.finished)
        return false;
    const RenamePlan& plan = journal.plan;
    FolderRename folder(plan.folder);
    bool retry = false;
    if (folder.OpenError() != 0 || folder.Identity() != plan.folderId) {
        problem = QStringLiteral("Der Ordner '%1' ist nicht mehr vorhanden.")
                      .arg(DisplayFileName(plan.folder));
    } else {
        DropDoubleNames(folder, plan);
        problem = FinishTempGroup(folder, plan);
        retry = !problem.isEmpty();
        folder.Sync();
    }
    // What could not be finished stays recorded for the next attempt.
    journal.finished = !retry;
    journal.Write();
    return true;
}
