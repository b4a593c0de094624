// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The German text for a system error number (errno), for messages that name
// why a file could not be read or written. The system's own strings follow
// the user's locale and are often English; they never reach a message.
QString SystemErrorText(int code);
// The same as a sentence of its own ("Keine Berechtigung."), for a line
// below a message that names the file.
QString SystemErrorSentence(int code);

// What a directory entry that is not a regular file is, in German with its
// article ("ein Ordner", "eine benannte Pipe (FIFO)" ...), from st_mode.
QString FileKindText(unsigned mode);
