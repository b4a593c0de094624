// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariant>

// The utility library's own failures. They live in the application error
// range above 1024 so that they never collide with the program's messages.

// The library message `number` with "@@" as line breaks and the first two
// "##" filled by arg1 and arg2 (each only when not Null).
QString LibMessage(qint32 number, const QVariant& arg1 = {}, const QVariant& arg2 = {});

// Raises an AppErrorRecord. A negative number -n is the library's own error n
// (description: LibMessage(n, arg1, arg2) unless one is given). Zero or more
// passes on the error just caught (call it inside a catch block); with nothing
// caught, a positive number is taken as the library error itself.
// The raised number is 1024 + cuAppError::ErrorBase + n. An empty source
// becomes the executable's name; a procedure is appended as "source: procedure".
[[noreturn]] void RaiseLibError(qint32 number, const QString& source, const QString& procedure,
                                const QString& description = {}, const QVariant& arg1 = {},
                                const QVariant& arg2 = {});

// Numbers of the library errors the program raises.
namespace LibErr {
constexpr qint32 ScrollbarSize = 3;   // the style reports no scroll bar size
constexpr qint32 TwipsNeedScreen = 4; // no screen to convert pixels to twips with
constexpr qint32 ShellExecute = 6;    // a file could not be opened; arg1: the shell code
} // namespace LibErr
