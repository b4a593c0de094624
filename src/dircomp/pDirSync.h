// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dircomp/DirCompItem.h"

#include <QString>

#include <functional>

class FileHandle;
class JobContext;
class pDirComp;

// The one-way sync after a comparison: deletions in the source, copies,
// deletions in the destination, in that order, on the files the comparison
// saw and in the folders it opened. Each item is checked again right before
// it is acted on; one that changed since is skipped and reported, never
// acted on by guess:
//   changed  the file (or the free name) is no longer what was compared
//   content  as old and as large as its destination copy, but other bytes
//   conflict its name meets more than one file where case is ignored
//   blocked  a folder, link or special file holds the destination name
class pDirSync {
public:
    enum Action { DeleteSame = 1, Copy = 2, DeleteExtra = 4 };
    enum class Done { DeletedSource, Copied, DeletedDest, Skipped };
    enum class Skip { None, Changed, Content, Conflict, Blocked };

    explicit pDirSync(const pDirComp& comparison) : m_comparison(comparison) {}

    // Called once per item acted on or skipped, by name within each step.
    using Report = std::function<void(Done done, Skip reason, const QByteArray& name)>;

    // Runs the actions (Action flags). True when all steps ran; false when
    // `context` asked to stop (what was done stays done, no temporary file
    // is left). The first failure raises the program's error record naming
    // the file and the system's reason; the remaining items are left alone.
    bool Run(int actions, JobContext* context, const Report& report);

    // German reason for a skipped item, and the word the companion prints.
    static QString SkipText(Skip reason);
    static const char* SkipWord(Skip reason);

private:
    bool deleteSame(const Report& report);
    bool copyDiffering(const Report& report);
    bool deleteExtra(const Report& report);
    Skip verifiedDeletable(const DirCompItem& source, const DirCompItem& dest, bool& cancelled);
    Skip contentCheck(const DirCompItem& source, const FileHandle& copy, const EntryStat& held,
                      bool& cancelled);
    Skip copyOne(const DirCompItem& source, bool& cancelled);
    // Reports progress; false once the user asked to stop.
    bool goOn(const QByteArray& name);

    const pDirComp& m_comparison;
    JobContext* m_context = nullptr;
    qint64 m_done = 0;
    qint64 m_total = 0;
};
