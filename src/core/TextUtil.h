// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Text helpers shared by every window and class. None raises; comparisons
// ignore case unless a function says otherwise.

void AddToString(QString& text, const QString& part, const QString& separator, bool skipEmpty);
// A non-empty text that does not end in `ch` gets it; an empty text stays empty.
QString AddTrailing(const QString& text, QChar ch);
QString RemoveTrailing(const QString& text, QChar ch);
// Trimmed, then one pair of enclosing double quotes removed.
QString StripQuotes(const QString& text);
QString QuoteText(const QString& text, bool forceQuotes, bool trimFirst);
qint32 CountChar(const QString& text, QChar ch, bool exactCase);
QString ReplaceFirst(const QString& text, const QString& find, const QString& replacement);
// Splits at `separator` (case ignored), elements trimmed, inner empty elements
// kept, a leading separator and a blank remainder dropped. An empty text gives
// 0 and leaves `parts` alone.
qint32 SplitList(const QString& text, QStringList& parts, const QString& separator);
// Splits a command line given as one text: blanks and tabs separate, a quoted
// run with its closing quote is one argument (quotes removed). maxArgs 0 is 10.
qint32 SplitCommandLine(const QString& line, QStringList& args, qint32 maxArgs = 0);
bool SortStringArray(QStringList& items, bool exactCase);
// Key-press filter: a key that is neither backspace nor allowed becomes 0.
void AllowOnlyChars(quint16& keyCode, const QString& allowed);
