// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

// The text of a CNF document as a sequence of lines.
//
// Bytes are decoded as Linux files and Windows exports come: a UTF-16 byte
// order mark (either order) selects UTF-16, a UTF-8 mark is dropped, the
// `unicode` flag reads mark-less UTF-16LE, otherwise valid UTF-8 is UTF-8 and
// anything else Windows-1252. UTF-16 is decoded as a whole before it is split,
// since its raw bytes hold 0x0A and 0x0D inside other characters; 8-bit text
// is split first and decoded a line at a time, so the whole document never
// sits in memory twice.
//
// Blanks at the start and end of the text are ignored. A line ends at CR LF,
// a lone LF or a lone CR; a line break at the very end of the text ends the
// last line and does not open an empty one.
class CNFLineSource {
public:
    enum class Encoding { Utf8, Windows1252, Utf16 };

    CNFLineSource(QByteArray bytes, bool unicode);
    explicit CNFLineSource(QString text);
    CNFLineSource(const CNFLineSource&) = delete;
    CNFLineSource& operator=(const CNFLineSource&) = delete;

    Encoding encoding() const { return m_encoding; }
    // True when the text holds nothing but blanks.
    bool IsEmpty() const { return m_begin >= m_end; }
    qsizetype LineCount() const { return m_lineCount; }
    // The next line without its line break; the view stays valid until the
    // following call. False after the last line.
    bool NextLine(QStringView& line);

    // Windows-1252 as Windows decodes it: the five unassigned codes map to
    // the control characters of the same number.
    static char16_t FromWindows1252(quint8 byte);

private:
    void Prepare();
    template <typename Unit> void CountLines(const Unit* data);
    template <typename Unit> qsizetype LineEnd(const Unit* data, qsizetype from) const;
    template <typename Unit> qsizetype SkipBreak(const Unit* data, qsizetype at) const;
    QStringView DecodeLine(qsizetype from, qsizetype to);

    QByteArray m_bytes; // 8-bit text
    QString m_text;     // UTF-16 text
    Encoding m_encoding = Encoding::Utf16;
    qsizetype m_begin = 0;
    qsizetype m_end = 0;
    qsizetype m_pos = 0;
    qsizetype m_lineCount = 0;
    QString m_line; // the current decoded 8-bit line
    QStringDecoder m_utf8{QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                    QStringDecoder::Flag::ConvertInitialBom};
};
