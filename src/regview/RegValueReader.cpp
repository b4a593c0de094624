// SPDX-License-Identifier: GPL-3.0-or-later
#include "regview/RegValueReader.h"

#include "core/AnsiText.h"
#include "core/RegFileSyntax.h"
#include "regview/WineText.h"

#include <QtEndian>

namespace {
using RegFileSyntax::ReadHexNumber;

const char* const kTypeNames[] = {
    "REG_NONE",
    "REG_SZ",
    "REG_EXPAND_SZ",
    "REG_BINARY",
    "REG_DWORD",
    "REG_DWORD_BIG_ENDIAN",
    "REG_LINK",
    "REG_MULTI_SZ",
    "REG_RESOURCE_LIST",
    "REG_FULL_RESOURCE_DESCRIPTOR",
    "REG_RESOURCE_REQUIREMENTS_LIST",
    "REG_QWORD",
};
constexpr quint32 kSz = 1;
constexpr quint32 kExpandSz = 2;
constexpr quint32 kBinary = 3;
constexpr quint32 kDword = 4;
constexpr quint32 kDwordBigEndian = 5;
constexpr quint32 kLink = 6;
constexpr quint32 kMultiSz = 7;
constexpr quint32 kQword = 11;

bool isTextType(quint32 type)
{
    return type == kSz || type == kExpandSz || type == kLink || type == kMultiSz;
}

void skipBlanks(QStringView text, qsizetype& pos)
{
    while (pos < text.size() && (text.at(pos) == QLatin1Char(' ') || text.at(pos) == u'\t'))
        ++pos;
}

// "hex(7)" / "str(2)" as its number; `prefix` is "hex" or "str".
bool readTypeNumber(QStringView kind, QLatin1String prefix, quint32& type, QString& written)
{
    if (!kind.startsWith(prefix, Qt::CaseInsensitive))
        return false;
    const QStringView rest = kind.sliced(prefix.size());
    if (rest.isEmpty())
        return false;
    if (!rest.startsWith(QLatin1Char('(')) || !rest.endsWith(QLatin1Char(')')))
        return false;
    written = rest.sliced(1, rest.size() - 2).toString();
    return ReadHexNumber(written, 8, type);
}

QString malformedText(const QString& first, const QStringList& more)
{
    return more.isEmpty() ? first : first + more.join(QString());
}
} // namespace

bool RegValueReader::IsNoValue(QStringView line) const
{
    return line.startsWith(QLatin1Char(';')) ||
           (m_dialect == RegDialect::Wine && line.startsWith(QLatin1Char('#')));
}

// Only a line that starts no value of its own continues the one before:
// a "\" before a new value ends the value at that.
bool RegValueReader::IsContinuation(QStringView line) const
{
    return !line.startsWith(QLatin1Char('"')) && !line.startsWith(QLatin1Char('@')) &&
           !IsNoValue(line);
}

bool RegValueReader::ReadQuoted(QStringView text, qsizetype& pos, QString& out) const
{
    return m_dialect == RegDialect::Wine ? WineText::ReadQuoted(text, pos, out)
                                         : RegFileSyntax::ReadQuoted(text, pos, out);
}

bool RegValueReader::ReadName(QStringView line, qsizetype& pos, QString& name) const
{
    if (line.startsWith(QLatin1Char('@'))) {
        name = QStringLiteral("@");
        pos = 1;
        return true;
    }
    pos = 0;
    return line.startsWith(QLatin1Char('"')) && ReadQuoted(line, pos, name);
}

bool RegValueReader::ReadStart(QStringView line, qsizetype& pos, QString& name) const
{
    if (!ReadName(line, pos, name))
        return false;
    skipBlanks(line, pos);
    if (pos >= line.size() || line.at(pos) != QLatin1Char('='))
        return false;
    ++pos;
    skipBlanks(line, pos);
    return true;
}

bool RegValueReader::IsHex(QStringView line) const
{
    qsizetype pos = 0;
    QString name;
    return ReadStart(line, pos, name) &&
           line.sliced(pos).startsWith(QLatin1String("hex"), Qt::CaseInsensitive);
}

RegValueRow RegValueReader::ReadValue(const QString& first, const QStringList& more) const
{
    RegValueRow row;
    qsizetype pos = 0;
    if (ReadStart(first, pos, row.name) && ReadData(QStringView(first).sliced(pos), more, row))
        return row;
    RegValueRow bad;
    bad.type = QStringLiteral("fehlerhaft");
    bad.kind = RegValueRow::Kind::Malformed;
    bad.text = malformedText(first, more);
    return bad;
}

bool RegValueReader::ReadData(QStringView data, const QStringList& more, RegValueRow& row) const
{
    if (data == QLatin1String("-") && more.isEmpty()) {
        row.type = QStringLiteral("gelöscht");
        row.kind = RegValueRow::Kind::Deleted;
        return true;
    }
    if (data.startsWith(QLatin1Char('"'))) {
        qsizetype pos = 0;
        QString text;
        if (!ReadQuoted(data, pos, text) || !data.sliced(pos).trimmed().isEmpty() ||
            !more.isEmpty())
            return false;
        SetText(kSz, text, row);
        return true;
    }
    if (data.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
        quint32 number = 0;
        if (!more.isEmpty() || !ReadHexNumber(data.sliced(6).trimmed(), 8, number))
            return false;
        row.type = QLatin1String(kTypeNames[kDword]);
        row.kind = RegValueRow::Kind::Number;
        row.number = number;
        return true;
    }
    if (m_dialect == RegDialect::Wine &&
        data.startsWith(QLatin1String("str("), Qt::CaseInsensitive))
        return more.isEmpty() && ReadWineString(data, row);
    return ReadHex(data, more, row);
}

bool RegValueReader::ReadWineString(QStringView data, RegValueRow& row) const
{
    const qsizetype colon = data.indexOf(QLatin1Char(':'));
    quint32 type = 0;
    QString written;
    if (colon < 0 || !readTypeNumber(data.first(colon), QLatin1String("str"), type, written))
        return false;
    const QStringView quoted = data.sliced(colon + 1).trimmed();
    qsizetype pos = 0;
    QString text;
    if (!quoted.startsWith(QLatin1Char('"')) || !WineText::ReadQuoted(quoted, pos, text) ||
        !quoted.sliced(pos).trimmed().isEmpty())
        return false;
    SetText(type, text, row);
    if (type >= std::size(kTypeNames))
        row.type = QStringLiteral("str(") + written + QLatin1Char(')');
    return true;
}

// Bytes as "01,ab,..." with "\" ending every line that is continued.
bool RegValueReader::ReadHex(QStringView data, const QStringList& more, RegValueRow& row) const
{
    const qsizetype colon = data.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return false;
    const QStringView kind = data.first(colon).trimmed();
    quint32 type = kBinary;
    QString written;
    if (kind.compare(QLatin1String("hex"), Qt::CaseInsensitive) != 0 &&
        !readTypeNumber(kind, QLatin1String("hex"), type, written))
        return false;
    QByteArray bytes;
    // A "\" that ends the value's last line (at the end of its key) is
    // left over from a line that had nothing after it.
    const auto readSegment = [&](QStringView segment) {
        segment = segment.trimmed();
        if (segment.endsWith(QLatin1Char('\\')))
            segment.chop(1);
        for (QStringView token : segment.split(QLatin1Char(','))) {
            token = token.trimmed();
            quint32 byte = 0;
            if (token.isEmpty())
                continue; // a trailing comma, or no bytes at all
            if (!ReadHexNumber(token, 2, byte))
                return false;
            bytes.append(char(byte));
        }
        return true;
    };
    if (!readSegment(data.sliced(colon + 1)))
        return false;
    for (const QString& line : more) {
        if (!readSegment(line))
            return false;
    }
    row.bytes = std::move(bytes);
    SetTyped(type, row);
    if (type >= std::size(kTypeNames))
        row.type = QStringLiteral("hex(") + written + QLatin1Char(')');
    return true;
}

void RegValueReader::SetTyped(quint32 type, RegValueRow& row) const
{
    row.type = type < std::size(kTypeNames) ? QLatin1String(kTypeNames[type]) : QString();
    row.kind = RegValueRow::Kind::Bytes;
    const QByteArray& bytes = row.bytes;
    if ((type == kDword || type == kDwordBigEndian) && bytes.size() == 4) {
        row.kind = RegValueRow::Kind::Number;
        row.number = type == kDword ? qFromLittleEndian<quint32>(bytes.constData())
                                    : qFromBigEndian<quint32>(bytes.constData());
    } else if (type == kQword && bytes.size() == 8) {
        row.kind = RegValueRow::Kind::Number;
        row.number = qFromLittleEndian<quint64>(bytes.constData());
        row.digits = 16;
    } else if (isTextType(type)) {
        // Text as regedit writes it: UTF-16LE, but 8-bit in REGEDIT4 files.
        QString text;
        if (m_dialect == RegDialect::Regedit4)
            text = decodeWindows1252(bytes);
        else if (bytes.size() % 2 != 0 ||
                 !RegFileSyntax::DecodeUtf16(text, bytes.constData(), bytes.size() / 2))
            return; // not text after all: the bytes show
        SetText(type, text, row);
        row.bytes.clear();
    }
}

void RegValueReader::SetText(quint32 type, const QString& text, RegValueRow& row) const
{
    row.type = type < std::size(kTypeNames) ? QLatin1String(kTypeNames[type]) : QString();
    QStringView kept = text;
    while (kept.endsWith(QChar(u'\0')))
        kept.chop(1);
    if (type == kMultiSz) {
        row.kind = RegValueRow::Kind::MultiText;
        row.entries.clear();
        for (QStringView entry : kept.split(QChar(u'\0')))
            row.entries.append(entry.toString());
        if (kept.isEmpty())
            row.entries.clear();
    } else {
        row.kind = RegValueRow::Kind::Text;
        row.text = kept.toString();
    }
}
