// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// A file's full path for a message: the folder, the name, shown readably.
QString DirCompShownPath(const QByteArray& folder, const QByteArray& name = {});

// Raises the program's error record for a failed system call on a file of
// a compared folder: message `message` ("Die Datei '##' kann nicht ...: ##.")
// with the path and the German reason for errno `code`.
[[noreturn]] void DirCompFail(int message, const QByteArray& folder, const QByteArray& name,
                              int code);
