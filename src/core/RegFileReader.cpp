// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/RegFileReader.h"

#include "core/AnsiText.h"
#include "core/RegFileSyntax.h"
#include "core/RegKeyPath.h"
#include "platform/SettingsTree.h"

#include <QStringDecoder>

#include <algorithm>
#include <utility>

namespace {
using RegFileSyntax::DecodeUtf16;
using RegFileSyntax::ReadHexNumber;
using RegFileSyntax::ReadQuoted;

const QLatin1String kHeader5("Windows Registry Editor Version 5.00");
const QLatin1String kHeader4("REGEDIT4");

void skipBlanks(QStringView text, qsizetype& pos)
{
    while (pos < text.size() &&
           (text.at(pos) == QLatin1Char(' ') || text.at(pos) == QLatin1Char('\t')))
        ++pos;
}

QString loneSurrogateText()
{
    return QStringLiteral("Die Zeile enthält ungültiges UTF-16 (ein einzelnes Surrogat).");
}
} // namespace

// The lines of the file, decoded one at a time from its bytes. Lines end at
// CR LF, a lone CR or a lone LF; a break at the very end is followed by one
// empty line, as splitting the text would give.
class RegFileReader::Lines {
public:
    enum class Encoding { Utf16LE, Utf16BE, Utf8, Windows1252 };

    Lines(const QByteArray& bytes, qsizetype skip, Encoding encoding)
        : m_bytes(bytes), m_pos(skip), m_encoding(encoding),
          m_step(encoding == Encoding::Utf16LE || encoding == Encoding::Utf16BE ? 2 : 1)
    {
    }

    // False after the last line; `valid` false for UTF-16 that is not.
    bool next(QString& line, bool& valid)
    {
        if (m_done)
            return false;
        qsizetype end = m_pos;
        while (end < m_bytes.size() && !isBreak(end))
            end += m_step;
        valid = decode(m_pos, end, line);
        ++m_number;
        if (end >= m_bytes.size()) {
            m_done = true;
        } else {
            const bool crlf =
                unit(end) == u'\r' && end + m_step < m_bytes.size() && unit(end + m_step) == u'\n';
            m_pos = end + (crlf ? 2 : 1) * m_step;
        }
        return true;
    }
    bool atEnd() const { return m_done; }
    int number() const { return m_number; }

private:
    char16_t unit(qsizetype at) const
    {
        const auto* d = reinterpret_cast<const quint8*>(m_bytes.constData());
        switch (m_encoding) {
        case Encoding::Utf16LE:
            return char16_t(d[at] | (d[at + 1] << 8));
        case Encoding::Utf16BE:
            return char16_t((d[at] << 8) | d[at + 1]);
        default:
            return char16_t(d[at]);
        }
    }
    bool isBreak(qsizetype at) const
    {
        const char16_t u = unit(at);
        return u == u'\n' || u == u'\r';
    }
    bool decode(qsizetype from, qsizetype to, QString& line)
    {
        const QByteArrayView bytes = QByteArrayView(m_bytes).sliced(from, to - from);
        switch (m_encoding) {
        case Encoding::Utf16LE:
        case Encoding::Utf16BE:
            return DecodeUtf16(line, bytes.data(), bytes.size() / 2,
                               m_encoding == Encoding::Utf16BE);
        case Encoding::Utf8:
            line = m_utf8.decode(bytes);
            return true;
        default:
            line = decodeWindows1252(bytes);
            return true;
        }
    }

    const QByteArray& m_bytes;
    qsizetype m_pos;
    Encoding m_encoding;
    qsizetype m_step;
    bool m_done = false;
    int m_number = 0;
    QStringDecoder m_utf8{QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                    QStringDecoder::Flag::ConvertInitialBom};
};

RegFileReader::RegFileReader() = default;
RegFileReader::~RegFileReader() = default;

bool RegFileReader::fail(int line, const QString& text)
{
    m_errorLine = line;
    m_errorText = text;
    m_document = RegFileDocument();
    return false;
}

bool RegFileReader::open(const QByteArray& bytes)
{
    using Encoding = Lines::Encoding;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        if (bytes.size() % 2 != 0)
            return fail(0, QStringLiteral("Die Datei ist als UTF-16 gekennzeichnet, hat aber eine "
                                          "ungerade Länge."));
        m_lines = std::make_unique<Lines>(
            bytes, 2, bytes.startsWith("\xFF\xFE") ? Encoding::Utf16LE : Encoding::Utf16BE);
        return true;
    }
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        if (!isValidUtf8(QByteArrayView(bytes).sliced(3)))
            return fail(0, QStringLiteral("Die Datei ist als UTF-8 gekennzeichnet, enthält aber "
                                          "ungültige Zeichen."));
        m_lines = std::make_unique<Lines>(bytes, 3, Encoding::Utf8);
        return true;
    }
    m_lines = std::make_unique<Lines>(bytes, 0,
                                      isValidUtf8(bytes) ? Encoding::Utf8 : Encoding::Windows1252);
    return true;
}

RegFileReader::Next RegFileReader::nextLine(QString& line)
{
    bool valid = true;
    if (!m_lines->next(line, valid))
        return Next::End;
    if (!valid) {
        fail(m_lines->number(), loneSurrogateText());
        return Next::Bad;
    }
    return Next::Line;
}

bool RegFileReader::read(const QByteArray& bytes)
{
    return read(bytes, {});
}

bool RegFileReader::read(const QByteArray& bytes, const KeySink& sink)
{
    m_document = RegFileDocument();
    m_errorLine = 0;
    m_errorText.clear();
    m_sink = sink;
    m_key = RegFileKey();
    m_haveKey = false;
    const bool ok = open(bytes) && readLines() && emitKey();
    m_lines.reset();
    m_sink = {};
    m_key = RegFileKey();
    return ok;
}

bool RegFileReader::readLines()
{
    QString line;
    Next next = Next::Line;
    while ((next = nextLine(line)) == Next::Line && line.trimmed().isEmpty() && !m_lines->atEnd()) {
    }
    if (next == Next::Bad)
        return false;
    const QString header = line.trimmed();
    if (header == kHeader5)
        m_document.format = RegFileFormat::Version5;
    else if (header == kHeader4)
        m_document.format = RegFileFormat::Regedit4;
    else
        return fail(std::max(m_lines->number(), 1),
                    QStringLiteral("Dies ist keine Registrierungsdatei: Die erste Zeile muss "
                                   "'%1' oder '%2' lauten.")
                        .arg(kHeader5, kHeader4));
    while ((next = nextLine(line)) == Next::Line) {
        const QStringView trimmed = QStringView(line).trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')))
            continue;
        bool ok = false;
        if (trimmed.startsWith(QLatin1Char('[')))
            ok = readKeyLine(trimmed.toString(), m_lines->number());
        else if (trimmed.startsWith(QLatin1Char('"')) || trimmed.startsWith(QLatin1Char('@')))
            ok = readValueLine(trimmed);
        else
            ok = fail(m_lines->number(),
                      QStringLiteral("Die Zeile ist weder ein Schlüssel noch ein Wert."));
        if (!ok)
            return false;
    }
    return next == Next::End;
}

bool RegFileReader::emitKey()
{
    if (!m_haveKey)
        return true;
    m_haveKey = false;
    if (m_sink)
        return m_sink(std::exchange(m_key, RegFileKey()));
    m_document.keys.append(std::exchange(m_key, RegFileKey()));
    return true;
}

bool RegFileReader::readKeyLine(const QString& line, int number)
{
    if (!line.endsWith(QLatin1Char(']')))
        return fail(number, QStringLiteral("Die Schlüsselzeile endet nicht mit ']'."));
    QString name = line.mid(1, line.size() - 2);
    const bool remove = name.startsWith(QLatin1Char('-'));
    if (remove)
        name.remove(0, 1);
    const std::optional<RegKeyPath> key = RegKeyPath::parse(name);
    if (!key)
        return fail(number,
                    QStringLiteral("Der Schlüssel '%1' beginnt nicht mit HKEY_CLASSES_ROOT, "
                                   "HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE oder HKEY_USERS.")
                        .arg(name));
    const std::optional<QStringList> names = SettingsTree::splitPath(key->path);
    if (!names)
        return fail(number, QStringLiteral("Der Schlüsselname '%1' ist ungültig (leerer Teil, mehr "
                                           "als %2 Zeichen oder mehr als %3 Ebenen).")
                                .arg(name)
                                .arg(SettingsTree::MaxKeyNameLength)
                                .arg(SettingsTree::MaxKeyDepth));
    if (remove && names->isEmpty())
        return fail(number, QStringLiteral("Ein Schlüsselstamm kann nicht gelöscht werden."));
    if (!emitKey())
        return false;
    m_key = {key->root, names->join(QLatin1Char('\\')), remove, {}, number};
    m_haveKey = true;
    return true;
}

bool RegFileReader::readValueLine(QStringView line)
{
    const int number = m_lines->number();
    if (!m_haveKey)
        return fail(number, QStringLiteral("Der Wert steht vor dem ersten Schlüssel."));
    if (m_key.remove)
        return fail(number,
                    QStringLiteral("Unter einem zu löschenden Schlüssel kann kein Wert stehen."));
    RegFileValue entry;
    entry.line = number;
    qsizetype pos = 1;
    if (line.startsWith(QLatin1Char('"'))) {
        pos = 0;
        if (!ReadQuoted(line, pos, entry.value.name))
            return fail(number, QStringLiteral("Der Wertname ist nicht mit '\"' abgeschlossen."));
    }
    skipBlanks(line, pos);
    if (pos >= line.size() || line.at(pos) != QLatin1Char('='))
        return fail(number, QStringLiteral("Nach dem Wertnamen fehlt '='."));
    ++pos;
    skipBlanks(line, pos);
    const QStringView data = line.sliced(pos);
    if (data == QLatin1String("-"))
        entry.remove = true;
    else if (!readData(data, entry.value))
        return false;
    m_key.values.append(std::move(entry));
    return true;
}

bool RegFileReader::readData(QStringView data, SettingsValue& value)
{
    const int number = m_lines->number();
    if (data.startsWith(QLatin1Char('"'))) {
        qsizetype pos = 0;
        QString text;
        if (!ReadQuoted(data, pos, text))
            return fail(number, QStringLiteral("Der Text ist nicht mit '\"' abgeschlossen."));
        if (!data.sliced(pos).trimmed().isEmpty())
            return fail(number, QStringLiteral("Nach dem Text folgen unerwartete Zeichen."));
        value = SettingsValue::text(value.name, text);
        return true;
    }
    if (data.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
        quint32 number32 = 0;
        if (!ReadHexNumber(data.sliced(6).trimmed(), 8, number32))
            return fail(number,
                        QStringLiteral("Ein dword-Wert braucht eine bis acht Hexadezimalziffern."));
        value = SettingsValue::dword(value.name, number32);
        return true;
    }
    const qsizetype colon = data.indexOf(QLatin1Char(':'));
    const QStringView kind = data.left(colon).trimmed();
    if (colon < 0 || !kind.startsWith(QLatin1String("hex"), Qt::CaseInsensitive))
        return fail(number, QStringLiteral("Unbekannte Wertangabe '%1'.").arg(data.left(40)));
    quint32 hexType = SettingsValue::Binary;
    if (kind.size() > 3) {
        if (!kind.endsWith(QLatin1Char(')')) || kind.at(3) != QLatin1Char('(') ||
            !ReadHexNumber(kind.sliced(4, kind.size() - 5), 8, hexType))
            return fail(number, QStringLiteral("Unbekannte Wertangabe '%1'.").arg(kind));
    }
    QByteArray bytes;
    return readHex(data.sliced(colon + 1), bytes) &&
           hexToValue(qint32(hexType), bytes, number, value);
}

// Bytes as "01,ab,..." with "\" continuing on the next line. Each line is
// taken apart as it is read, so a large value costs its bytes and no more.
bool RegFileReader::readHex(QStringView data, QByteArray& bytes)
{
    const int number = m_lines->number();
    QString token;
    const auto finishToken = [&](bool last) {
        const QString part = token.trimmed();
        token.clear();
        if (part.isEmpty() && last)
            return true; // a trailing comma, or no bytes at all
        quint32 byte = 0;
        if (!ReadHexNumber(part, 2, byte))
            return fail(number, QStringLiteral("'%1' ist kein Byte in Hexadezimalschreibweise.")
                                    .arg(part.left(20)));
        bytes.append(char(byte));
        return true;
    };
    QStringView segment = data.trimmed();
    QString line; // holds the continuation line the segment looks at
    while (true) {
        const bool continues = segment.endsWith(QLatin1Char('\\'));
        if (continues)
            segment.chop(1);
        for (const QChar c : segment) {
            if (c == QLatin1Char(',')) {
                if (!finishToken(false))
                    return false;
            } else if (token.size() <= 20) { // longer is no byte anyway
                token += c;
            }
        }
        if (!continues)
            return finishToken(true);
        const Next next = nextLine(line);
        if (next == Next::Bad)
            return false;
        if (next == Next::End)
            return fail(m_lines->number(),
                        QStringLiteral("Nach '\\' fehlt die Fortsetzungszeile."));
        segment = QStringView(line).trimmed();
    }
}

bool RegFileReader::hexToValue(qint32 hexType, const QByteArray& bytes, int line,
                               SettingsValue& value)
{
    switch (hexType) {
    case SettingsValue::Binary:
        value = SettingsValue::binary(value.name, bytes);
        return true;
    case SettingsValue::Dword:
        if (bytes.size() != 4)
            return fail(line, QStringLiteral("Ein hex(4)-Wert braucht genau vier Bytes."));
        value = SettingsValue::dword(value.name,
                                     SettingsValue{{}, SettingsValue::Dword, bytes}.toDword());
        return true;
    case SettingsValue::Text: {
        // Text as raw bytes, with its terminating NUL: UTF-16LE in version 5 files.
        QString text;
        if (m_document.format == RegFileFormat::Version5) {
            if (bytes.size() % 2 != 0)
                return fail(line,
                            QStringLiteral("Ein hex(1)-Wert braucht eine gerade Anzahl Bytes."));
            if (!DecodeUtf16(text, bytes.constData(), bytes.size() / 2, false))
                return fail(line, loneSurrogateText());
        } else {
            text = decodeAnsi(bytes);
        }
        if (text.endsWith(QChar(u'\0')))
            text.chop(1);
        value = SettingsValue::text(value.name, text);
        return true;
    }
    default:
        return fail(line, QStringLiteral("Der Werttyp hex(%1) wird nicht unterstützt. Möglich sind "
                                         "Texte, dword-Werte und Binärwerte (hex).")
                              .arg(hexType, 0, 16));
    }
}
