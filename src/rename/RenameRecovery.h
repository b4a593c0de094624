// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

struct RenameJournal;

// Completes a run that was cut short (the journal is not marked finished):
// the file under the temporary name finishes its cycle, and a file left
// under two names by a file system without "no replace" keeps the later
// one. Afterwards every file of the run is under its old or its new name.
// Returns true when there was such a run; `problem` then says, in German,
// what could not be completed (empty when all was).
bool FinishInterruptedRun(RenameJournal& journal, QString& problem);
