// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// `tolvane-cli slideshow PATH`: what "tolvane /Slideshow PATH" would show,
// without a window. Lines "Intervall<TAB>ms", "Hintergrund<TAB>colour value"
// and "Maximiert<TAB>Ja|Nein" as the run would use them, then the pictures'
// full paths (their own bytes), one a line, in the order of the show. The
// run's messages go to standard error; exit 1 when no picture would be
// shown, 2 for a wrong call. The interval the run would choose is not stored.
int runSlideshowCommand(const QStringList& args);

extern const char* const kSlideshowCommandUsage;
