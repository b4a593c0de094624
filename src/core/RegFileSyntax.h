// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// Pieces of the registry export syntax, shared by the settings import and
// the registry file viewer.
namespace RegFileSyntax {

// A quoted name or text starting at text[pos] (the opening quote);
// afterwards pos is just past the closing quote. Only \\ and \" are
// escapes; any other backslash is itself. False when the quote is not
// closed.
bool ReadQuoted(QStringView text, qsizetype& pos, QString& out);

// One to maxDigits hexadecimal digits, nothing else (no sign, no "0x").
bool ReadHexNumber(QStringView digits, int maxDigits, quint32& number);

// `units` UTF-16 code units from bytes, little-endian unless bigEndian;
// false when one is half of a surrogate pair without its other half (the
// text is filled all the same).
bool DecodeUtf16(QString& text, const char* data, qsizetype units, bool bigEndian = false);

} // namespace RegFileSyntax
