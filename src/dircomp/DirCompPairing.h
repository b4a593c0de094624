// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dircomp/DirCompItem.h"

// Pairs the files of a source and a destination folder (both lists in byte
// order) and classes them.
//
// Where both folders tell letter case apart, names pair byte for byte:
// "a.txt" and "A.txt" are two files. Where either folder ignores case, names
// equal ignoring case pair with each other; names that side cannot tell
// apart (two meeting one file, or two that would land on one) conflict and
// stay unpaired. A time is compared by its whole seconds, no tolerance.
struct DirCompCase {
    bool sourceIgnores = false;
    bool destIgnores = false;
};
void PairAndClass(DirCompItems& source, DirCompItems& dest, DirCompCase caseRule = {});

// Source class of a file whose destination file is `dest`.
DirCompClass SourceClass(const EntryStat& source, const EntryStat& dest);

// The key two names share when letter case is ignored: Unicode case folding
// for UTF-8 names, ASCII letters only for names that are not.
QByteArray CaseKey(const QByteArray& name);
