// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

// Splits a key line into name and value and cleans the value up the way the
// document's options ask. Blanks (and only blanks) are trimmed, as the format
// always has: tabs are the business of `removeTrailingTabs`.
//
// Lines of 8-bit text can be split as bytes, without decoding them, when the
// comment character and the carriage-return text are ASCII without letters:
// their bytes then stand for themselves in UTF-8 and Windows-1252 alike, and
// comparing them ignoring case is comparing them exactly.
class CNFKeyLine {
public:
    struct Options {
        QString commentChar; // empty: no comment cut
        bool removeComments = false;
        bool removeTrailingTabs = false;
        QString carriageReturn; // empty: no line-break translation
    };
    // The same options for lines given as bytes.
    struct ByteOptions {
        QByteArray commentChar;
        bool removeComments = false;
        bool removeTrailingTabs = false;
        QByteArray carriageReturn;
    };

    // Views into the line. The name is empty when the line has none.
    template <typename View> struct Parts {
        View name;
        View value;
        // The value holds carriage-return texts to become line breaks.
        bool hasLineBreaks = false;
    };

    // The name is the trimmed text before the first "=", the value the
    // trimmed text after it; a line without "=" is all value.
    static Parts<QStringView> Parse(QStringView line, const Options& options);
    static Parts<QByteArrayView> Parse(QByteArrayView line, const ByteOptions& options);
    // Nothing when the options' texts do not allow splitting bytes.
    static std::optional<ByteOptions> ForBytes(const Options& options);

    // The value as the model holds it: carriage-return texts become breaks.
    static QString Value(QStringView value, bool hasLineBreaks, const Options& options);

    static QStringView TrimBlanks(QStringView text);
    static QByteArrayView TrimBlanks(QByteArrayView text);
    // The break a value holds in the model for each carriage-return text.
    static constexpr char16_t LineBreak = u'\n';
};
