// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/RenameUndo.h"

#include "platform/FileNameCodec.h"
#include "platform/FolderRename.h"
#include "rename/RenameCheck.h"
#include "rename/RenameRun.h"

#include <QHash>
#include <QSet>

namespace {
using IdKey = QPair<quint64, quint64>;

IdKey KeyOf(const FileIdentity& id)
{
    return {id.device, id.inode};
}

// Where each wanted file is now, by identity.
QHash<IdKey, QByteArray> CurrentNames(const FolderRename& folder, const QList<QByteArray>& names,
                                      const QSet<IdKey>& wanted)
{
    QHash<IdKey, QByteArray> found;
    for (const QByteArray& name : names) {
        FileIdentity id;
        if (folder.Identify(name, id) && wanted.contains(KeyOf(id)))
            found.insert(KeyOf(id), name);
    }
    return found;
}

QString Key(const QByteArray& name, bool foldCase)
{
    const QString decoded = DecodeFileName(name);
    return foldCase ? RenameFoldKey(decoded) : decoded;
}
} // namespace

bool RenameUndo::Prepare(const RenameJournal& last, FolderRename& folder, QString& problem)
{
    m_lines.clear();
    if (folder.OpenError() != 0 || folder.Identity() != last.plan.folderId) {
        problem = QStringLiteral("Der Ordner '%1' ist nicht mehr vorhanden.")
                      .arg(DisplayFileName(last.plan.folder));
        return false;
    }
    QSet<IdKey> wanted;
    for (const RenameMove& m : last.plan.moves)
        wanted.insert(KeyOf(m.id));
    const QList<QByteArray> names = folder.Names();
    const QHash<IdKey, QByteArray> now = CurrentNames(folder, names, wanted);
    QList<RenameMove> moves;
    QSet<QString> targets;
    bool foldCase = true;
    for (const RenameMove& m : last.plan.moves) {
        Line line{m.to, m.from, Status::Gone};
        const auto it = now.constFind(KeyOf(m.id));
        if (it != now.cend()) {
            line.now = *it;
            line.status = Status::Ok;
            if (*it != m.from) {
                RenameMove back;
                back.from = *it;
                back.to = m.from;
                back.id = m.id;
                back.file = m_lines.size();
                moves.append(back);
                // Old names that differ only in case lived side by side: the
                // folder tells case apart.
                const QString key = RenameFoldKey(DecodeFileName(m.from));
                foldCase = foldCase && !targets.contains(key);
                targets.insert(key);
            }
        }
        m_lines.append(line);
    }
    // A name held by anything that stays blocks the file that wants it.
    QHash<QString, int> taken;
    for (const QByteArray& name : names)
        ++taken[Key(name, foldCase)];
    for (const RenameMove& m : moves)
        --taken[Key(m.from, foldCase)];
    QList<RenameMove> free;
    for (const RenameMove& m : moves) {
        if (taken.value(Key(m.to, foldCase)) > 0)
            m_lines[m.file].status = Status::Taken;
        else
            free.append(m);
    }
    m_journal = RenameJournal();
    m_journal.plan = RenamePlan::Build(last.plan.folder, free, foldCase);
    m_journal.plan.folderId = folder.Identity();
    m_journal.plan.tempName = RenamePlan::FreeTempName(folder);
    return true;
}

void RenameUndo::Apply(const RenameRun& run, bool ran)
{
    const QList<RenameMove>& moves = m_journal.plan.moves;
    for (qsizetype i = 0; i < moves.size(); ++i) {
        Line& line = m_lines[moves[i].file];
        const auto outcome = ran ? run.Outcomes().value(i) : RenameRun::Outcome::Pending;
        if (outcome == RenameRun::Outcome::Renamed)
            line.status = Status::Ok;
        else if (outcome == RenameRun::Outcome::Skipped)
            line.status = Status::Taken;
        else
            line.status = Status::Stopped;
    }
}

qsizetype RenameUndo::Missed() const
{
    return std::count_if(m_lines.begin(), m_lines.end(), [](const Line& l) {
        return l.status == Status::Gone || l.status == Status::Taken;
    });
}

QString RenameUndo::StatusWord(Status status)
{
    switch (status) {
    case Status::Ok:
        return QStringLiteral("ok");
    case Status::Gone:
        return QStringLiteral("gone");
    case Status::Taken:
        return QStringLiteral("taken");
    case Status::Stopped:
        return QStringLiteral("stopped");
    }
    return {};
}
