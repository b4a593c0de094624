// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dircomp/DirCompItem.h"

class FolderHandle;
class JobContext;

// Reads the regular files of both folders at the same time, the destination
// on a thread of its own, and sorts each list by name bytes.
struct DirCompScan {
    DirCompItems source;
    DirCompItems dest;
    int sourceError = 0; // errno of a folder that could not be read
    int destError = 0;
    bool cancelled = false;

    // `context` (may be null) gets the count read so far and is asked
    // whether to stop.
    void Read(const FolderHandle& sourceFolder, const FolderHandle& destFolder,
              JobContext* context);
};
