// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rename/RenamePlan.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The record of the last rename run, kept so that a run cut short (power
// loss, a kill) can be finished and any run undone. It lives in the user's
// state folder ($XDG_STATE_HOME/tolvane/rename-journal, else
// ~/.local/state/...) and is always replaced whole and synced to the disk
// with its folder before the first file moves.
//
// Text, one record a line, fields separated by TAB, names escaped as the
// companion prints them:
//   tolvane-rename-journal 1
//   folder PATH / device DEV INODE / temp NAME
//   move GROUP CYCLE DEV INODE FROM TO        (in execution order)
//   end                                       (the plan is complete)
//   finished                                  (the run is over)
struct RenameJournal {
    RenamePlan plan;
    bool finished = false;

    static QString Path();
    QByteArray Serialize() const;
    // False when the text is not a complete journal.
    static bool Parse(const QByteArray& text, RenameJournal& journal);

    // Replaces the journal on the disk; raises the writer's German message.
    void Write() const;
    // The journal on the disk; none when there is none. Raises when it
    // cannot be read or is damaged.
    static std::optional<RenameJournal> Read();
};

// Keeps a second run (another window, another process) from starting while
// one runs: the journal belongs to one run at a time.
class RenameJournalLock {
public:
    // Raises with a German message when another run holds the lock.
    RenameJournalLock();
    ~RenameJournalLock();
    RenameJournalLock(const RenameJournalLock&) = delete;
    RenameJournalLock& operator=(const RenameJournalLock&) = delete;

private:
    int m_fd = -1;
};
