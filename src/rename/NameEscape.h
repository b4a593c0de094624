// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

// File names as one line of text: backslash, TAB, LF and CR become \\ \t
// \n \r; other control bytes and bytes that are not part of well-formed
// UTF-8 become \xhh (lower case). Everything else stays as it is.
QByteArray EscapeName(QByteArrayView name);
// The same appended to `out`, for output put together in one buffer.
void EscapeNameTo(QByteArray& out, QByteArrayView name);
// The reverse; a backslash before anything else stays a backslash.
QByteArray UnescapeName(QByteArrayView text);
