// SPDX-License-Identifier: GPL-3.0-or-later
#include "regview/WineText.h"

namespace {
int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int value = base;
    if (u >= '0' && u <= '9')
        value = u - '0';
    else if (u >= 'a' && u <= 'f')
        value = u - 'a' + 10;
    else if (u >= 'A' && u <= 'F')
        value = u - 'A' + 10;
    return value < base ? value : -1;
}

// The escape at text[pos] (just after its backslash); afterwards pos is
// past it.
char16_t readEscape(QStringView text, qsizetype& pos)
{
    const QChar c = text.at(pos++);
    switch (c.unicode()) {
    case 'a':
        return u'\a';
    case 'b':
        return u'\b';
    case 'e':
        return u'\x1b';
    case 'f':
        return u'\f';
    case 'n':
        return u'\n';
    case 'r':
        return u'\r';
    case 't':
        return u'\t';
    case 'v':
        return u'\v';
    case 'x': {
        char16_t value = 0;
        for (int i = 0; i < 4 && pos < text.size() && digitValue(text.at(pos), 16) >= 0; ++i)
            value = char16_t(value * 16 + digitValue(text.at(pos++), 16));
        return value;
    }
    default:
        break;
    }
    if (digitValue(c, 8) < 0)
        return c.unicode();
    char16_t value = char16_t(digitValue(c, 8));
    for (int i = 1; i < 3 && pos < text.size() && digitValue(text.at(pos), 8) >= 0; ++i)
        value = char16_t(value * 8 + digitValue(text.at(pos++), 8));
    return value;
}
} // namespace

namespace WineText {

QString Unescape(QStringView text)
{
    if (!text.contains(QLatin1Char('\\')))
        return text.toString();
    QString out;
    out.reserve(text.size());
    for (qsizetype pos = 0; pos < text.size();) {
        const QChar c = text.at(pos++);
        if (c == QLatin1Char('\\') && pos < text.size())
            out += QChar(readEscape(text, pos));
        else
            out += c;
    }
    return out;
}

bool ReadQuoted(QStringView text, qsizetype& pos, QString& out)
{
    out.clear();
    for (qsizetype i = pos + 1; i < text.size();) {
        const QChar c = text.at(i++);
        if (c == QLatin1Char('"')) {
            pos = i;
            return true;
        }
        if (c == QLatin1Char('\\') && i < text.size())
            out += QChar(readEscape(text, i));
        else
            out += c;
    }
    return false;
}

} // namespace WineText
