// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fileinfo/pDirTotals.h"

#include <QString>

// The folder window's and the companion's wording of folder totals.
namespace DirTotalsText {
// "1.234 Dateien, 56 Ordner", with ", 3 sonstige" when there are any.
QString Contents(const pDirTotals::Figures& figures);
// What is incomplete about the figures, one sentence per reason; empty
// when a finished count saw everything.
QString Status(const pDirTotals::Figures& figures, pDirTotals::Outcome outcome);
// The status line while the walk runs.
QString Reading(const QString& folder);
} // namespace DirTotalsText
