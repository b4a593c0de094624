// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// One value of a key as the registry file writes it: its name, its type
// and its data, decoded as far as the type allows.
struct RegValueRow {
    enum class Kind {
        Text,      // `text`
        MultiText, // `entries`
        Bytes,     // `bytes`, shown as "01 ab 00"
        Number,    // `number`, shown as 0x0000000a (10) with `digits` hex digits
        Deleted,   // "name"=- : nothing
        Malformed, // `text` is the line (or lines) as written
    };

    QString name; // "@" for the default value
    QString type; // "REG_SZ" ... "hex(ffff0012)", "gelöscht", "fehlerhaft"
    Kind kind = Kind::Text;
    QString text;
    QStringList entries;
    QByteArray bytes;
    quint64 number = 0;
    int digits = 8;

    // The value for the list of the window: at most kShownLength characters
    // and then " …", control characters as \n, \t, \0 ..., multi-string
    // entries separated by a blank.
    QString Shown() const;
    // The whole value for the companion: a backslash as \\, control
    // characters as in the window, multi-string entries separated by \0.
    QString Complete() const;

    static constexpr qsizetype kShownLength = 2000;
};

namespace RegValueText {
// Control characters as C escapes (\n, \t, \0, \r, else \xNN); with
// `backslashes` a backslash becomes \\ too. Stops once the result holds
// more than `limit` characters.
QString Escaped(QStringView text, bool backslashes, qsizetype limit = -1);
} // namespace RegValueText
