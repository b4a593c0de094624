// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The password-sealed form of a CNF document: a fixed marker, then the bytes
// of the text with a known check text appended, XORed with the password.
// Blanks are swapped with byte 255 on both sides of the XOR, so the sealed
// body never holds a blank that trimming could eat.
class CNFSeal {
public:
    enum class OpenResult {
        Opened,
        NotSealed,    // the bytes do not begin with the marker
        WrongPassword // the opened bytes do not end in the check text
    };

    // Opening checks only the password bytes that meet the check text, so a
    // longer password could open its file with another key and give garbage.
    // Sealing takes at most this many bytes (the check text's characters).
    static constexpr qsizetype MaxPasswordBytes = 66;
    static bool PasswordFits(QByteArrayView password)
    {
        return password.size() <= MaxPasswordBytes;
    }

    static QByteArrayView Marker();    // "****QXCNF****"
    static QByteArrayView CheckText(); // UTF-8 bytes of the 66-character check text

    // True when the bytes begin with the marker, case ignored.
    static bool HasMarker(QByteArrayView bytes);
    // The transform is its own inverse: Transform(Transform(t, p), p) == t.
    // An empty password leaves the bytes as they are.
    static QByteArray Transform(QByteArrayView text, QByteArrayView password);
    static QByteArray Seal(QByteArrayView text, QByteArrayView password);
    // On Opened, `text` holds the original bytes; otherwise it is left alone.
    static OpenResult Open(QByteArrayView sealed, QByteArrayView password, QByteArray& text);
};
