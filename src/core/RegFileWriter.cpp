// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/RegFileWriter.h"

#include "core/RegKeyPath.h"

#include <QtEndian>

namespace {
constexpr int kLineWidth = 80;

QString escaped(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('"'), QLatin1String("\\\""));
    return out;
}

bool hasLineBreak(const QString& text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

// "prefix01,ab,..." wrapped like regedit: a line never passes 80 columns, a
// continued one ends in ",\" and the next begins with two blanks.
QString hexLines(const QString& prefix, const QByteArray& bytes, const QString& lineEnd)
{
    QString out;
    QString line = prefix;
    bool lineHasByte = false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        QString token = QStringLiteral("%1").arg(quint8(bytes[i]), 2, 16, QLatin1Char('0'));
        if (i + 1 < bytes.size())
            token += QLatin1Char(',');
        if (lineHasByte && line.size() + token.size() + 1 > kLineWidth) {
            out += line + QLatin1Char('\\') + lineEnd;
            line = QStringLiteral("  ");
        }
        line += token;
        lineHasByte = true;
    }
    return out + line;
}

QByteArray textBytes(const QString& text, RegFileFormat format)
{
    if (format == RegFileFormat::Regedit4)
        return text.toUtf8() + '\0';
    QByteArray bytes((text.size() + 1) * 2, '\0');
    for (qsizetype i = 0; i < text.size(); ++i)
        qToLittleEndian<quint16>(text.at(i).unicode(), bytes.data() + 2 * i);
    return bytes;
}
} // namespace

std::optional<QString> RegFileWriter::text(const QList<RegFileKey>& keys, const QString& lineEnd,
                                           QString& error) const
{
    QString out = m_format == RegFileFormat::Version5
                      ? QStringLiteral("Windows Registry Editor Version 5.00")
                      : QStringLiteral("REGEDIT4");
    out += lineEnd;
    for (const RegFileKey& key : keys) {
        const QString name = RegKeyPath{key.root, key.path}.fullName();
        if (hasLineBreak(name)) {
            error =
                QStringLiteral("Der Schlüssel '%1' enthält einen Zeilenumbruch und kann nicht in "
                               "eine .reg-Datei geschrieben werden.")
                    .arg(name);
            return std::nullopt;
        }
        out += lineEnd + QLatin1Char('[') + (key.remove ? QStringLiteral("-") : QString()) + name +
               QLatin1Char(']') + lineEnd;
        for (const RegFileValue& entry : key.values) {
            if (hasLineBreak(entry.value.name)) {
                error =
                    QStringLiteral("Der Wertname '%1' unter '%2' enthält einen Zeilenumbruch und "
                                   "kann nicht in eine .reg-Datei geschrieben werden.")
                        .arg(entry.value.name, name);
                return std::nullopt;
            }
            out += valueLine(entry, lineEnd) + lineEnd;
        }
    }
    return out + lineEnd;
}

QString RegFileWriter::valueLine(const RegFileValue& entry, const QString& lineEnd) const
{
    const SettingsValue& value = entry.value;
    const QString name = value.name.isEmpty()
                             ? QStringLiteral("@")
                             : QLatin1Char('"') + escaped(value.name) + QLatin1Char('"');
    if (entry.remove)
        return name + QStringLiteral("=-");
    switch (value.type) {
    case SettingsValue::Dword:
        return name + QStringLiteral("=dword:%1").arg(value.toDword(), 8, 16, QLatin1Char('0'));
    case SettingsValue::Binary:
        return hexLines(name + QStringLiteral("=hex:"), value.data, lineEnd);
    default: {
        const QString text = value.toText();
        if (hasLineBreak(text) || text.contains(QChar(u'\0')))
            return hexLines(name + QStringLiteral("=hex(1):"), textBytes(text, m_format), lineEnd);
        return name + QStringLiteral("=\"") + escaped(text) + QLatin1Char('"');
    }
    }
}

QByteArray RegFileWriter::utf16LeWithBom(const QString& text)
{
    QByteArray bytes(2 + text.size() * 2, '\0');
    bytes[0] = char(0xFF);
    bytes[1] = char(0xFE);
    for (qsizetype i = 0; i < text.size(); ++i)
        qToLittleEndian<quint16>(text.at(i).unicode(), bytes.data() + 2 + 2 * i);
    return bytes;
}
