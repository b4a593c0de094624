// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dircomp/DirCompItem.h"

#include <functional>

class FolderHandle;

// A file copied into another folder so that the target name holds either
// what it held before or the complete copy, never a part of it, also when
// the process is killed. The bytes go to a hidden, short-named temporary
// file (created exclusively and locked while it is written), which gets the
// source's permission bits and modification time, is synced, and is then
// renamed over the compared target file, or onto a name that must still be
// free. Whatever goes wrong, the temporary file goes with it.
class DirCompCopy {
public:
    enum class Result {
        Copied,
        Changed,   // the source or the target is no longer what was compared
        Blocked,   // a folder, link or special file holds the target name
        Cancelled, // stopped between two pieces
    };

    struct Side {
        const FolderHandle& folder;
        const QByteArray& path; // for messages, with a trailing "/"
    };

    // Copies `source` (a file of `from` as compared) to `target` in `to`.
    // `replaced` is the compared target file, or null where the name was
    // free. `goOn(bytesDone)` is asked between pieces. Raises on failure.
    static Result Copy(Side from, const DirCompItem& source, Side to, const QByteArray& target,
                       const EntryStat* replaced, const std::function<bool(qint64)>& goOn);

    // Removes temporary files of copies that no longer run (a killed
    // process): those whose lock nobody holds.
    static void RemoveLeftovers(const FolderHandle& folder);
    static bool IsTemporaryName(const QByteArray& name);
};
