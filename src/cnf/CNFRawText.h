// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// How the text of a document was stored in its file.
enum class CNFEncoding : quint8 { Utf8, Windows1252, Utf16 };

// A piece of a document's text as it stands in the bytes read (8-bit) or in
// the decoded text (UTF-16): a value is decoded from it only when somebody
// asks for it. Most values of a large document are never looked at, and
// keeping their bytes costs a fraction of decoding each into a text of its
// own.
struct CNFRawText {
    const void* data = nullptr; // null: nothing held
    qint32 size = 0;            // in units of the encoding (bytes or UTF-16 units)
    CNFEncoding encoding = CNFEncoding::Utf8;

    bool IsHeld() const { return data != nullptr; }
    QString Decode() const;
};
