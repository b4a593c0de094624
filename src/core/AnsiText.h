// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>

// Text from 8-bit files written on Windows: valid UTF-8 is read as UTF-8,
// anything else as Windows-1252 (the Western code page those files used).
QString decodeAnsi(QByteArrayView bytes);
QString decodeWindows1252(QByteArrayView bytes);
// One byte of Windows-1252 as the character it stands for.
char16_t windows1252Char(quint8 byte);
bool isValidUtf8(QByteArrayView bytes);
