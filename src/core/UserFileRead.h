// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class InputFile;

// Reading a file the user named, whole, as documents and exports are read.
// Only regular files are read (a FIFO or device is refused with what it is),
// and at most `cap` bytes. Failures raise the program's error record from
// `source` with a German message naming the file: 156 missing, 164 not a
// regular file, 165 larger than the cap, 163 any other reason.
QByteArray ReadUserFile(const QString& path, quint64 cap, const QString& source);

// The error record for a failed open or read of `file` (as above).
[[noreturn]] void RaiseUserFileError(const InputFile& file, const QString& path, quint64 cap,
                                     const QString& source);
