// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dircomp/DirCompItem.h"

class FolderHandle;
class JobContext;

// Reads two folders for the comparison, both at the same time: first the
// names of their regular files (each list sorted by name bytes), then the
// times and sizes of those files that need them, spread over the processors.
struct DirCompScan {
    DirCompScan(const FolderHandle& sourceFolder, const FolderHandle& destFolder,
                JobContext* context)
        : m_sourceFolder(sourceFolder), m_destFolder(destFolder), m_context(context)
    {
    }

    // `context` (may be null) gets the count read so far and is asked
    // whether to stop; each returns false when it was stopped.
    bool ReadNames();
    // Of every file, or only of those paired with a file of the other folder.
    // Files gone since, or no longer regular files, are dropped.
    bool ReadTimes(bool pairedOnly);

    DirCompItems source;
    DirCompItems dest;
    int sourceError = 0; // errno of a folder that could not be read
    int destError = 0;

private:
    const FolderHandle& m_sourceFolder;
    const FolderHandle& m_destFolder;
    JobContext* m_context;
};
