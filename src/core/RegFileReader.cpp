// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/RegFileReader.h"

#include "core/AnsiText.h"
#include "core/RegKeyPath.h"
#include "platform/SettingsTree.h"

#include <QStringDecoder>

namespace {
const QLatin1String kHeader5("Windows Registry Editor Version 5.00");
const QLatin1String kHeader4("REGEDIT4");

// A quoted name or text starting at text[pos]; afterwards pos is just past the
// closing quote. Only \\ and \" are escapes; any other backslash is itself.
bool readQuoted(const QString& text, qsizetype& pos, QString& out)
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

bool readHexNumber(const QString& digits, int maxDigits, quint32& number)
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

void skipBlanks(const QString& text, qsizetype& pos)
{
    while (pos < text.size() &&
           (text.at(pos) == QLatin1Char(' ') || text.at(pos) == QLatin1Char('\t')))
        ++pos;
}

QString decodeUtf16Le(const QByteArray& bytes)
{
    QString text(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(char16_t(quint8(bytes[2 * i]) | (quint8(bytes[2 * i + 1]) << 8)));
    return text;
}
} // namespace

bool RegFileReader::fail(int line, const QString& text)
{
    m_errorLine = line;
    m_errorText = text;
    m_document = RegFileDocument();
    return false;
}

bool RegFileReader::decode(const QByteArray& bytes, QString& text)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        if (bytes.size() % 2 != 0)
            return fail(0, QStringLiteral("Die Datei ist als UTF-16 gekennzeichnet, hat aber eine "
                                          "ungerade Länge."));
        QStringDecoder decoder(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE
                                                            : QStringDecoder::Utf16BE);
        text = decoder(QByteArrayView(bytes).sliced(2));
        return true;
    }
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        const QByteArrayView body = QByteArrayView(bytes).sliced(3);
        if (!isValidUtf8(body))
            return fail(0, QStringLiteral("Die Datei ist als UTF-8 gekennzeichnet, enthält aber "
                                          "ungültige Zeichen."));
        text = QString::fromUtf8(body);
        return true;
    }
    text = decodeAnsi(bytes);
    return true;
}

bool RegFileReader::read(const QByteArray& bytes)
{
    m_document = RegFileDocument();
    m_lines.clear();
    m_errorLine = 0;
    m_errorText.clear();
    QString text;
    if (!decode(bytes, text))
        return false;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_lines = text.split(QLatin1Char('\n'));

    int index = 0;
    while (index < m_lines.size() - 1 && m_lines.at(index).trimmed().isEmpty())
        ++index;
    const QString header = m_lines.at(index).trimmed();
    if (header == kHeader5)
        m_document.format = RegFileFormat::Version5;
    else if (header == kHeader4)
        m_document.format = RegFileFormat::Regedit4;
    else
        return fail(index + 1,
                    QStringLiteral("Dies ist keine Registrierungsdatei: Die erste Zeile muss "
                                   "'%1' oder '%2' lauten.")
                        .arg(kHeader5, kHeader4));
    for (++index; index < m_lines.size(); ++index) {
        const QString line = m_lines.at(index).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        bool ok = false;
        if (line.startsWith(QLatin1Char('[')))
            ok = readKeyLine(line, index + 1);
        else if (line.startsWith(QLatin1Char('"')) || line.startsWith(QLatin1Char('@')))
            ok = readValueLine(index);
        else
            ok =
                fail(index + 1, QStringLiteral("Die Zeile ist weder ein Schlüssel noch ein Wert."));
        if (!ok)
            return false;
    }
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
    m_document.keys.append({key->root, names->join(QLatin1Char('\\')), remove, {}, number});
    return true;
}

bool RegFileReader::readValueLine(int& index)
{
    const int number = index + 1;
    if (m_document.keys.isEmpty())
        return fail(number, QStringLiteral("Der Wert steht vor dem ersten Schlüssel."));
    if (m_document.keys.last().remove)
        return fail(number,
                    QStringLiteral("Unter einem zu löschenden Schlüssel kann kein Wert stehen."));
    const QString line = m_lines.at(index).trimmed();
    RegFileValue entry;
    entry.line = number;
    qsizetype pos = 1;
    if (line.startsWith(QLatin1Char('"'))) {
        pos = 0;
        if (!readQuoted(line, pos, entry.value.name))
            return fail(number, QStringLiteral("Der Wertname ist nicht mit '\"' abgeschlossen."));
    }
    skipBlanks(line, pos);
    if (pos >= line.size() || line.at(pos) != QLatin1Char('='))
        return fail(number, QStringLiteral("Nach dem Wertnamen fehlt '='."));
    ++pos;
    skipBlanks(line, pos);
    const QString data = line.mid(pos);
    if (data == QLatin1String("-"))
        entry.remove = true;
    else if (!readData(data, index, entry.value))
        return false;
    m_document.keys.last().values.append(entry);
    return true;
}

bool RegFileReader::readData(const QString& data, int& index, SettingsValue& value)
{
    const int number = index + 1;
    if (data.startsWith(QLatin1Char('"'))) {
        qsizetype pos = 0;
        QString text;
        if (!readQuoted(data, pos, text))
            return fail(number, QStringLiteral("Der Text ist nicht mit '\"' abgeschlossen."));
        if (!data.mid(pos).trimmed().isEmpty())
            return fail(number, QStringLiteral("Nach dem Text folgen unerwartete Zeichen."));
        value = SettingsValue::text(value.name, text);
        return true;
    }
    if (data.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
        quint32 number32 = 0;
        if (!readHexNumber(data.mid(6).trimmed(), 8, number32))
            return fail(number,
                        QStringLiteral("Ein dword-Wert braucht eine bis acht Hexadezimalziffern."));
        value = SettingsValue::dword(value.name, number32);
        return true;
    }
    const qsizetype colon = data.indexOf(QLatin1Char(':'));
    const QString kind = data.left(colon).trimmed();
    if (colon < 0 || !kind.startsWith(QLatin1String("hex"), Qt::CaseInsensitive))
        return fail(number, QStringLiteral("Unbekannte Wertangabe '%1'.").arg(data.left(40)));
    quint32 hexType = SettingsValue::Binary;
    if (kind.size() > 3) {
        if (!kind.endsWith(QLatin1Char(')')) || kind.at(3) != QLatin1Char('(') ||
            !readHexNumber(kind.mid(4, kind.size() - 5), 8, hexType))
            return fail(number, QStringLiteral("Unbekannte Wertangabe '%1'.").arg(kind));
    }
    QByteArray bytes;
    return readHex(data.mid(colon + 1), index, bytes) &&
           hexToValue(qint32(hexType), bytes, number, value);
}

bool RegFileReader::readHex(QString data, int& index, QByteArray& bytes)
{
    const int number = index + 1;
    data = data.trimmed();
    while (data.endsWith(QLatin1Char('\\'))) {
        data.chop(1);
        if (++index >= m_lines.size())
            return fail(index, QStringLiteral("Nach '\\' fehlt die Fortsetzungszeile."));
        data += m_lines.at(index).trimmed();
    }
    if (data.trimmed().isEmpty())
        return true;
    const QStringList parts = data.split(QLatin1Char(','));
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString part = parts.at(i).trimmed();
        if (part.isEmpty() && i == parts.size() - 1)
            break; // a trailing comma
        quint32 byte = 0;
        if (!readHexNumber(part, 2, byte))
            return fail(number, QStringLiteral("'%1' ist kein Byte in Hexadezimalschreibweise.")
                                    .arg(part.left(20)));
        bytes.append(char(byte));
    }
    return true;
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
            text = decodeUtf16Le(bytes);
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
