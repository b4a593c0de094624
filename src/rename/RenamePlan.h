// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FolderRename.h"

#include <QByteArray>
#include <QList>
#include <QString>

class pRenFiles;

// One file's move.
struct RenameMove {
    QByteArray from;
    QByteArray to;
    FileIdentity id;
    qsizetype file = -1; // its row in the job list, -1 when there is none
    int group = 0;       // moves of one cycle share a group
    bool cycle = false;  // the group is a cycle
    qsizetype next = -1; // the move waiting for this one's old name
};

// A run's moves in an order in which each file moves once the holder of its
// new name (case ignored) has left. A cycle (A->B, B->A) is one group whose
// first file steps aside to the temporary name while the others move, then
// takes its new name; no two files are ever away at once.
struct RenamePlan {
    QString folder; // with a trailing "/"
    FileIdentity folderId;
    QByteArray tempName;     // hidden, free when the plan was made
    QList<RenameMove> moves; // in execution order

    // Orders the moves. Names collide ignoring case unless `foldCase` is
    // false (two targets differing only in case: a case-sensitive folder).
    // Raises when a name is wanted twice.
    static RenamePlan Build(const QString& folder, QList<RenameMove> moves, bool foldCase);
    // The moves of the files checked ok, identified in the folder.
    static RenamePlan FromCheck(const QString& folder, const pRenFiles& files,
                                FolderRename& handle);
    // A hidden name the folder does not hold.
    static QByteArray FreeTempName(const FolderRename& handle);

    // Index range [first, last) of the group starting at `first`.
    qsizetype GroupEnd(qsizetype first) const;
};
