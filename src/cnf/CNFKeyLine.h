// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// Splits a key line into name and value and cleans the value up the way the
// document's options ask. Blanks (and only blanks) are trimmed, as the format
// always has: tabs are the business of `removeTrailingTabs`.
class CNFKeyLine {
public:
    struct Options {
        QString commentChar; // empty: no comment cut
        bool removeComments = false;
        bool removeTrailingTabs = false;
        QString carriageReturn; // empty: no line-break translation
    };

    // Views into the line. The name is empty when the line has none.
    QStringView name;
    QStringView value;
    // The value holds carriage-return texts to become line breaks.
    bool hasLineBreaks = false;

    // The name is the trimmed text before the first "=", the value the
    // trimmed text after it; a line without "=" is all value.
    static CNFKeyLine Parse(QStringView line, const Options& options);
    // The value as the model holds it.
    QString Value(const Options& options) const;

    static QStringView TrimBlanks(QStringView text);
    // The break a value holds in the model for each carriage-return text.
    static constexpr char16_t LineBreak = u'\n';
};
