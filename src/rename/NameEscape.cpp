// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/NameEscape.h"

namespace {
// Length of the well-formed UTF-8 sequence at `i` (no overlong forms, no
// surrogates, nothing past U+10FFFF), or 0.
qsizetype Utf8Length(QByteArrayView s, qsizetype i)
{
    const auto b = [&](qsizetype k) { return quint8(s[k]); };
    const quint8 c = b(i);
    const qsizetype left = s.size() - i;
    auto tail = [&](qsizetype k) { return k < left && (b(i + k) & 0xC0) == 0x80; };
    if (c >= 0xC2 && c <= 0xDF)
        return tail(1) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        if (!tail(1) || !tail(2))
            return 0;
        const quint8 c1 = b(i + 1);
        if ((c == 0xE0 && c1 < 0xA0) || (c == 0xED && c1 >= 0xA0))
            return 0;
        return 3;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        if (!tail(1) || !tail(2) || !tail(3))
            return 0;
        const quint8 c1 = b(i + 1);
        if ((c == 0xF0 && c1 < 0x90) || (c == 0xF4 && c1 >= 0x90))
            return 0;
        return 4;
    }
    return 0;
}

void AppendHex(QByteArray& out, quint8 c)
{
    static const char digits[] = "0123456789abcdef";
    out += "\\x";
    out += digits[c >> 4];
    out += digits[c & 15];
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
} // namespace

QByteArray EscapeName(QByteArrayView name)
{
    QByteArray out;
    out.reserve(name.size() + 8);
    EscapeNameTo(out, name);
    return out;
}

void EscapeNameTo(QByteArray& out, QByteArrayView name)
{
    for (qsizetype i = 0; i < name.size();) {
        // Printable ASCII other than the backslash goes out as a run.
        qsizetype plain = i;
        while (plain < name.size() && quint8(name[plain]) >= 0x20 && quint8(name[plain]) < 0x7F &&
               name[plain] != '\\')
            ++plain;
        if (plain > i) {
            out.append(name.data() + i, plain - i);
            i = plain;
            continue;
        }
        const quint8 c = quint8(name[i]);
        if (c >= 0x80) {
            const qsizetype length = Utf8Length(name, i);
            if (length == 0) {
                AppendHex(out, c);
                ++i;
            } else {
                out.append(name.data() + i, length);
                i += length;
            }
            continue;
        }
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            AppendHex(out, c);
        }
        ++i;
    }
}

QByteArray UnescapeName(QByteArrayView text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\\' || i + 1 >= text.size()) {
            out += c;
            continue;
        }
        const char e = text[i + 1];
        const char* simple = e == '\\'  ? "\\"
                             : e == 't' ? "\t"
                             : e == 'n' ? "\n"
                             : e == 'r' ? "\r"
                                        : nullptr;
        if (simple) {
            out += *simple;
            ++i;
        } else if (e == 'x' && i + 3 < text.size() && HexValue(text[i + 2]) >= 0 &&
                   HexValue(text[i + 3]) >= 0) {
            out += char(HexValue(text[i + 2]) * 16 + HexValue(text[i + 3]));
            i += 3;
        } else {
            out += c;
        }
    }
    return out;
}
