// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dircomp/DirCompItem.h"

class FolderHandle;

// Whether a folder looks names up ignoring letter case. A listed file is
// looked up in swapped case: the same file answers on FAT, SMB/CIFS and
// case-folding folders, nothing on an ordinary Linux file system. Where no
// listed name can tell (no letters, or both spellings listed as two files),
// the file system's own flags decide; otherwise case counts.
bool FolderIgnoresCase(const FolderHandle& folder, const DirCompItems& listed);
