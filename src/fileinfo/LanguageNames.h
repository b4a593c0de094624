// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The German name of a Windows language number (LANGID) as a German desktop
// shows it: "Deutsch (Deutschland)" for 0x0407, "Sprachneutral" for 0. A
// number not in the table is named by its primary language where that is
// known, else plainly by its number.
QString LanguageName(quint16 languageId);
