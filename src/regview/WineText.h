// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// The escapes of Wine's registry files, in key names and quoted texts: a
// backslash before a backslash or a quote stands for that character; \a \b
// \e \f \n \r \t \v for those control characters; \x with up to four
// hexadecimal digits and a backslash with up to three octal digits for the
// character of that number; before anything else the backslash is dropped.
namespace WineText {

// The text with its escapes replaced.
QString Unescape(QStringView text);

// A quoted text starting at text[pos] (the opening quote), unescaped;
// afterwards pos is just past the closing quote. False when the quote is
// not closed.
bool ReadQuoted(QStringView text, qsizetype& pos, QString& out);

} // namespace WineText
