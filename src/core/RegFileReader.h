// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/RegFileDocument.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

// Reads registry export files in both formats regedit writes: "REGEDIT4"
// (8-bit; UTF-8 when valid, else Windows-1252) and "Windows Registry Editor
// Version 5.00" (UTF-16LE with BOM; UTF-8 is accepted too). The reader stops
// at the first fault and names its line; it never hands out half a file.
//
// Understood: [KEY] and [-KEY]; "name"= and @= with "text" (escapes \\ and
// \"), dword:0000000a, hex:01,ab with "\" continuation lines, hex(1) as text
// bytes, hex(4) as four little-endian bytes, and "name"=- for deletion. Other
// hex(n) types are refused, since the store keeps only text, binary and
// 32-bit values. Text that is not what its encoding promises (a UTF-8 file
// with a mark and invalid bytes, UTF-16 with a lone surrogate) is refused
// with its line, as a merged or garbled name would be worse.
//
// The file is decoded a line at a time from its bytes, so reading costs
// little more than the bytes themselves.
class RegFileReader {
public:
    // Takes each key with the values written below it, in file order, as
    // soon as they are read; false stops the reading (the receiver reports
    // why).
    using KeySink = std::function<bool(const RegFileKey&)>;

    RegFileReader();
    ~RegFileReader();

    // Reads the whole file into document().
    bool read(const QByteArray& bytes);
    // Reads the file handing each key to `sink`; document() stays empty.
    bool read(const QByteArray& bytes, const KeySink& sink);
    RegFileFormat format() const { return m_document.format; }

    const RegFileDocument& document() const { return m_document; }
    int errorLine() const { return m_errorLine; } // 1-based; 0 for the file as a whole
    const QString& errorText() const { return m_errorText; }

private:
    class Lines;
    enum class Next { Line, End, Bad };

    bool fail(int line, const QString& text);
    bool open(const QByteArray& bytes);
    Next nextLine(QString& line);
    bool readLines();
    bool emitKey();
    bool readKeyLine(const QString& line, int number);
    bool readValueLine(QStringView line);
    bool readData(QStringView data, SettingsValue& value);
    bool readHex(QStringView data, QByteArray& bytes);
    bool hexToValue(qint32 hexType, const QByteArray& bytes, int line, SettingsValue& value);

    std::unique_ptr<Lines> m_lines;
    KeySink m_sink;
    RegFileKey m_key; // the key being read when reading to a sink
    bool m_haveKey = false;
    RegFileDocument m_document;
    int m_errorLine = 0;
    QString m_errorText;
};
