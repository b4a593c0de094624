// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rename/RenameJournal.h"

#include <QByteArray>
#include <QList>

class FolderRename;

// Undoing the last run: every file of its journal, found by its identity
// wherever it is now, goes back to its old name, the same safe way the run
// went. The undo is a run of its own with its own journal, so it can be
// finished after a crash and undone in turn.
class RenameUndo {
public:
    enum class Status {
        Ok,      // back (or still) under its old name, or going there
        Gone,    // the file is no longer in the folder
        Taken,   // something else has its old name now
        Stopped, // the undo stopped before it
    };
    struct Line {
        QByteArray now; // its name now; for a file that is gone, the name the run gave it
        QByteArray old;
        Status status = Status::Ok;
    };

    // Looks where the files of `last` are. False, with a German `problem`,
    // when the folder of that run is gone.
    bool Prepare(const RenameJournal& last, FolderRename& folder, QString& problem);

    const QList<Line>& Lines() const { return m_lines; }
    // The journal of the undo run (its moves point to the lines).
    RenameJournal& Journal() { return m_journal; }
    // Takes the outcome of the undo run into the lines.
    void Apply(const class RenameRun& run, bool ran);
    qsizetype Missed() const; // gone and taken

    static QString StatusWord(Status status);

private:
    QList<Line> m_lines;
    RenameJournal m_journal;
};
