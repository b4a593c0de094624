// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/RenamePlan.h"

#include "core/AppErrorRecord.h"
#include "platform/FileNameCodec.h"
#include "rename/RenameCheck.h"
#include "rename/pRenFiles.h"

#include <QHash>
#include <QRandomGenerator>
#include <QSet>

#include <deque>

namespace {
[[noreturn]] void RaisePlanError()
{
    throw AppErrorRecord(RuntimeError::InvalidProcedureCall, QStringLiteral("RenamePlan"),
                         QStringLiteral("Die Umbenennungen lassen sich nicht ordnen: ein Name "
                                        "wird zweimal verlangt."));
}

QString Key(const QByteArray& name, bool foldCase)
{
    const QString decoded = DecodeFileName(name);
    return foldCase ? RenameFoldKey(decoded) : decoded;
}
} // namespace

RenamePlan RenamePlan::Build(const QString& folder, QList<RenameMove> moves, bool foldCase)
{
    const qsizetype n = moves.size();
    QHash<QString, qsizetype> wanting; // new name -> the move that wants it
    QList<QString> fromKeys(n);
    for (qsizetype i = 0; i < n; ++i) {
        fromKeys[i] = Key(moves[i].from, foldCase);
        const QString toKey = Key(moves[i].to, foldCase);
        if (wanting.contains(toKey))
            RaisePlanError();
        wanting.insert(toKey, i);
    }
    // An edge i -> next(i): next wants the name i holds, so i leaves first.
    // Each move has at most one such successor; several files holding one
    // name (a.txt and A.txt) all come before the one that wants it.
    QList<qsizetype> next(n, -1);
    QList<int> waitsFor(n, 0);
    for (qsizetype i = 0; i < n; ++i) {
        const qsizetype k = wanting.value(fromKeys[i], -1);
        if (k >= 0 && k != i) {
            next[i] = k;
            ++waitsFor[k];
        }
    }
    RenamePlan plan;
    plan.folder = folder;
    std::deque<qsizetype> ready;
    for (qsizetype i = 0; i < n; ++i) {
        if (waitsFor[i] == 0)
            ready.push_back(i);
    }
    QList<qsizetype> order;
    QList<bool> placed(n, false);
    int group = 0;
    auto place = [&](qsizetype i, bool cycle) {
        RenameMove move = moves[i];
        move.group = group;
        move.cycle = cycle;
        plan.moves.append(move);
        order.append(i);
        placed[i] = true;
    };
    while (!ready.empty()) {
        const qsizetype i = ready.front();
        ready.pop_front();
        place(i, false);
        ++group;
        if (next[i] >= 0 && --waitsFor[next[i]] == 0)
            ready.push_back(next[i]);
    }
    // What is left lies on cycles: the first file steps aside, the others
    // follow the cycle round.
    for (qsizetype start = 0; start < n; ++start) {
        if (placed[start])
            continue;
        for (qsizetype i = start; !placed[i]; i = next[i]) {
            place(i, true);
            if (next[i] < 0)
                RaisePlanError();
        }
        ++group;
    }
    // Where each move's waiting successor sits in the new order.
    QList<qsizetype> position(n);
    for (qsizetype p = 0; p < n; ++p)
        position[order[p]] = p;
    for (qsizetype p = 0; p < n; ++p)
        plan.moves[p].next = next[order[p]] < 0 ? -1 : position[next[order[p]]];
    return plan;
}

RenamePlan RenamePlan::FromCheck(const QString& folder, const pRenFiles& files,
                                 FolderRename& handle)
{
    QList<RenameMove> moves;
    for (qsizetype i = 0; i < files.Count(); ++i) {
        const pRenFile& file = files.Item(i);
        if (file.Status != RenameStatus::Ok)
            continue;
        RenameMove move;
        move.from = file.OldBytes;
        move.to = file.NewBytes;
        move.file = i;
        // A file that has gone since the check keeps identity 0; its move
        // then fails with the system's reason.
        handle.Identify(move.from, move.id);
        moves.append(move);
    }
    RenamePlan plan = Build(folder, moves, true);
    plan.folderId = handle.Identity();
    plan.tempName = FreeTempName(handle);
    return plan;
}

QByteArray RenamePlan::FreeTempName(const FolderRename& handle)
{
    const QList<QByteArray> names = handle.Names();
    const QSet<QByteArray> taken(names.begin(), names.end());
    for (;;) {
        const QByteArray name = ".tolvane-umbenennen-" +
                                QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        if (!taken.contains(name))
            return name;
    }
}

qsizetype RenamePlan::GroupEnd(qsizetype first) const
{
    qsizetype end = first + 1;
    while (end < moves.size() && moves[end].group == moves[first].group)
        ++end;
    return end;
}
