// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// Sets one time (or "Alles": the last access and the last write) of a list of
// files, to a given date and time or back to midnight of each time's own
// date. The caller clears the files, sets Action and Mode, adds the paths and
// calls Run once.
//
// Each file is done by name (nothing is opened; a link stands for its
// target). A file that is missing, a dangling link, a folder, a file this user
// may not write, or one whose time to reset cannot be read is left as it is,
// not counted, and listed in Unchanged() with the reason. The birth time
// cannot be set on Linux: Mode 0 changes and counts nothing, and "Alles"
// leaves it as it is.
class pDateTime {
public:
    enum Action : qint32 { SetDate = 0, ResetTime = 1 };
    enum Mode : qint32 { Creation = 0, LastAccess = 1, LastWrite = 2, All = 3 };

    struct Skipped {
        QString path;
        QString reason; // a German sentence, for a message or the companion's errors
    };

    void SetAction(qint32 action) { m_action = action; }
    // Any value above 2 means all times.
    void SetMode(qint32 mode) { m_mode = mode; }
    QStringList& Files() { return m_files; }
    void ClearFiles() { m_files.clear(); }

    // Applies the action to every file in list order; `date` (local wall
    // clock) is used by SetDate, and one without a date means now. Returns
    // the number of files changed.
    qint32 Run(const QDateTime& date);
    const QList<Skipped>& Unchanged() const { return m_unchanged; }

    // Why Mode 0 cannot be carried out, and the note for an "Alles" run.
    static QString BirthTimeNotSettable();
    static QString BirthTimeUnchanged();

private:
    bool ProcessFile(const QString& path, const QDateTime& date);

    qint32 m_action = SetDate;
    qint32 m_mode = LastWrite;
    QStringList m_files;
    QList<Skipped> m_unchanged;
};
