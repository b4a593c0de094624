// SPDX-License-Identifier: GPL-3.0-or-later
#include "regview/RegValueRow.h"

namespace {
const QString kEllipsis = QStringLiteral(" …");

// "01 ab 00", or "(leer)"; stops once more than `limit` characters are there.
QString byteText(const QByteArray& bytes, qsizetype limit)
{
    if (bytes.isEmpty())
        return QStringLiteral("(leer)");
    static const char kDigits[] = "0123456789abcdef";
    QString text;
    // A byte more than fits, so that the caller sees there is more.
    const qsizetype count = limit < 0 ? bytes.size() : std::min(bytes.size(), limit / 3 + 2);
    text.reserve(count * 3);
    for (qsizetype i = 0; i < count; ++i) {
        if (i > 0)
            text += QLatin1Char(' ');
        const quint8 byte = quint8(bytes.at(i));
        text += QLatin1Char(kDigits[byte >> 4]);
        text += QLatin1Char(kDigits[byte & 15]);
    }
    return text;
}

QString numberText(quint64 number, int digits)
{
    return QStringLiteral("0x%1 (%2)").arg(number, digits, 16, QLatin1Char('0')).arg(number);
}

// The value in full, or up to `limit` characters and a little more.
QString valueText(const RegValueRow& row, bool complete, qsizetype limit)
{
    using Kind = RegValueRow::Kind;
    switch (row.kind) {
    case Kind::Text:
    case Kind::Malformed:
        return RegValueText::Escaped(row.text, complete, limit);
    case Kind::MultiText: {
        QString text;
        for (qsizetype i = 0; i < row.entries.size(); ++i) {
            if (i > 0)
                text += complete ? QStringLiteral("\\0") : QStringLiteral(" ");
            text += RegValueText::Escaped(row.entries.at(i), complete,
                                          limit < 0 ? -1 : limit - text.size());
            if (limit >= 0 && text.size() > limit)
                break;
        }
        return text;
    }
    case Kind::Bytes:
        return byteText(row.bytes, limit);
    case Kind::Number:
        return numberText(row.number, row.digits);
    case Kind::Deleted:
        break;
    }
    return {};
}
} // namespace

namespace RegValueText {

QString Escaped(QStringView text, bool backslashes, qsizetype limit)
{
    QString out;
    out.reserve(limit < 0 ? text.size() : std::min(text.size(), limit + 1));
    for (const QChar c : text) {
        if (limit >= 0 && out.size() > limit)
            break;
        const char16_t u = c.unicode();
        if (u == '\\' && backslashes)
            out += QLatin1String("\\\\");
        else if (u == '\n')
            out += QLatin1String("\\n");
        else if (u == '\t')
            out += QLatin1String("\\t");
        else if (u == '\r')
            out += QLatin1String("\\r");
        else if (u == 0)
            out += QLatin1String("\\0");
        else if (u < 0x20 || u == 0x7F)
            out += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

} // namespace RegValueText

QString RegValueRow::Shown() const
{
    QString text = valueText(*this, false, kShownLength);
    if (text.size() <= kShownLength)
        return text;
    qsizetype cut = kShownLength;
    if (text.at(cut - 1).isHighSurrogate())
        --cut; // a surrogate pair stays whole
    text.truncate(cut);
    return text + kEllipsis;
}

QString RegValueRow::Complete() const
{
    return valueText(*this, true, -1);
}
