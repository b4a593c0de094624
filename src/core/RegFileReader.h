// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/RegFileDocument.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Reads registry export files in both formats regedit writes: "REGEDIT4"
// (8-bit; UTF-8 when valid, else Windows-1252) and "Windows Registry Editor
// Version 5.00" (UTF-16LE with BOM; UTF-8 is accepted too). The reader stops
// at the first fault and names its line; it never hands out half a file.
//
// Understood: [KEY] and [-KEY]; "name"= and @= with "text" (escapes \\ and
// \"), dword:0000000a, hex:01,ab with "\" continuation lines, hex(1) as text
// bytes, hex(4) as four little-endian bytes, and "name"=- for deletion. Other
// hex(n) types are refused, since the store keeps only text, binary and
// 32-bit values.
class RegFileReader {
public:
    bool read(const QByteArray& bytes);

    const RegFileDocument& document() const { return m_document; }
    int errorLine() const { return m_errorLine; } // 1-based; 0 for the file as a whole
    const QString& errorText() const { return m_errorText; }

private:
    bool fail(int line, const QString& text);
    bool decode(const QByteArray& bytes, QString& text);
    bool readKeyLine(const QString& line, int number);
    bool readValueLine(int& index);
    bool readData(const QString& data, int& index, SettingsValue& value);
    bool readHex(QString data, int& index, QByteArray& bytes);
    bool hexToValue(qint32 hexType, const QByteArray& bytes, int line, SettingsValue& value);

    QStringList m_lines;
    RegFileDocument m_document;
    int m_errorLine = 0;
    QString m_errorText;
};
