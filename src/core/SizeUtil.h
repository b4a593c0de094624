// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariant>

// Byte sizes as numbers and as the texts the file lists show ("1,5 KB").

// `size`: a number of bytes or a size text ("1,5 MB", read by ParseByteSize).
// unit 0: bytes, 1: KB, 2: MB, 3: GB, each as a number (double) rounded to
// `decimals`; unit 4: text in the fitting unit ("1023 Byte", "1,5 KB") with
// the user's decimal separator. A size of 0 gives the number 0 in every unit.
QVariant FormatByteSize(const QVariant& size, qint32 unit, qint16 decimals);

// The leading number of a text (the first "," read as decimal point), times
// 1024 for "KB", 1024² for "MB", 1024³ for "GB" anywhere in it (case
// ignored). A blank text, or one that begins with no number, gives 0.
double ParseByteSize(const QString& text);
