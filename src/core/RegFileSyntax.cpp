// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/RegFileSyntax.h"

namespace RegFileSyntax {

bool ReadQuoted(QStringView text, qsizetype& pos, QString& out)
{
    out.clear();
    for (qsizetype i = pos + 1; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\\') && i + 1 < text.size() &&
            (text.at(i + 1) == QLatin1Char('\\') || text.at(i + 1) == QLatin1Char('"'))) {
            out += text.at(++i);
        } else if (c == QLatin1Char('"')) {
            pos = i + 1;
            return true;
        } else {
            out += c;
        }
    }
    return false;
}

bool ReadHexNumber(QStringView digits, int maxDigits, quint32& number)
{
    if (digits.isEmpty() || digits.size() > maxDigits)
        return false;
    bool ok = false;
    number = digits.toUInt(&ok, 16);
    // toUInt accepts a sign and "0x"; a .reg file has neither.
    for (QChar c : digits) {
        const char16_t u = c.unicode();
        if (!((u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F')))
            return false;
    }
    return ok;
}

bool DecodeUtf16(QString& text, const char* data, qsizetype units, bool bigEndian)
{
    text.resize(units);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    const auto* in = reinterpret_cast<const quint8*>(data);
    bool valid = true;
    for (qsizetype i = 0; i < units; ++i) {
        const quint8 a = in[2 * i];
        const quint8 b = in[2 * i + 1];
        out[i] = bigEndian ? char16_t((a << 8) | b) : char16_t(a | (b << 8));
    }
    for (qsizetype i = 0; i < units; ++i) {
        if (QChar::isHighSurrogate(out[i]) && i + 1 < units && QChar::isLowSurrogate(out[i + 1]))
            ++i;
        else if (QChar::isSurrogate(out[i]))
            valid = false;
    }
    return valid;
}

} // namespace RegFileSyntax
