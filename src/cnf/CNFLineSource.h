// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cnf/CNFTextStore.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <functional>
#include <vector>

class InputFile;

// The text of a CNF document as a sequence of lines.
//
// Bytes are decoded as Linux files and Windows exports come: a UTF-16 byte
// order mark (either order) selects UTF-16, a UTF-8 mark is dropped, the
// `unicode` flag reads mark-less UTF-16LE, otherwise valid UTF-8 is UTF-8 and
// anything else Windows-1252. UTF-16 is decoded as a whole before it is split,
// since its raw bytes hold 0x0A and 0x0D inside other characters. 8-bit text
// is split first and decoded a line at a time, and each chunk of the file is
// let go once its lines are read, so the bytes and the model built from them
// do not fill memory together.
//
// 8-bit text can also be handed out as the bytes of each line (NextBytes),
// for a reader that finds what it needs without decoding. A piece of a line
// may then stay in the file's bytes (Keep): the chunk holding it goes to the
// document's text store instead of back to the system.
//
// Blanks at the start and end of the text are ignored. A line ends at CR LF,
// a lone LF or a lone CR; a line break at the very end of the text ends the
// last line and does not open an empty one.
class CNFLineSource {
public:
    using Encoding = CNFEncoding;

    CNFLineSource(QByteArray bytes, bool unicode);
    // The bytes in chunks; every chunk but the last ends with a line feed.
    // `pump` runs after each chunk of UTF-16 text is decoded.
    CNFLineSource(std::vector<QByteArray> chunks, bool unicode,
                  const std::function<void()>& pump = {});
    explicit CNFLineSource(QString text);
    CNFLineSource(const CNFLineSource&) = delete;
    CNFLineSource& operator=(const CNFLineSource&) = delete;

    // Reads the file to its end, at most `cap` bytes, in chunks as the
    // constructor takes them. Each block read is searched once for its line
    // ends, so a line as long as the file reads in linear time. False on a
    // read error or when the file holds more than `cap` bytes (see
    // file.error()). `pump` runs after each block read.
    static bool ReadChunks(InputFile& file, quint64 cap, std::vector<QByteArray>& chunks,
                           const std::function<void()>& pump = {});

    Encoding encoding() const { return m_encoding; }
    bool IsWide() const { return m_encoding == Encoding::Utf16; }
    // True when the text holds nothing but blanks.
    bool IsEmpty() const { return m_lineCount == 0; }
    qsizetype LineCount() const { return m_lineCount; }
    // The next line without its line break; the view stays valid until the
    // following call. False after the last line.
    bool NextLine(QStringView& line);
    // The same as bytes, for 8-bit text only; decode them with Decode. Do not
    // mix with NextLine.
    bool NextBytes(QByteArrayView& line);
    // Bytes of the current line as text, in a buffer of the source that the
    // next call of Decode or NextLine reuses (and Take may give away).
    QStringView Decode(QByteArrayView bytes);

    // Whether pieces of the current line (from NextBytes or the UTF-16
    // text) can stay where they are, and a piece of it as such. Keep puts
    // what the piece points into in `store`.
    bool CanKeep() const;
    CNFRawText Keep(QByteArrayView piece, CNFTextStore& store);
    CNFRawText Keep(QStringView piece, CNFTextStore& store);

    // The text of `part`, a piece of the line NextLine gave last. Where the
    // line was decoded for this call alone, it is given away and cut to the
    // piece instead of copied, so a line as long as the file is not held
    // twice; the line's view is then no longer valid.
    QString Take(QStringView part);

private:
    struct Span {
        qsizetype begin = 0;
        qsizetype end = 0;
    };
    void Decide(bool unicode, const std::function<void()>& pump);
    void PrepareWide();
    void PrepareBytes(qsizetype skip);
    bool NextChunk();
    QStringView DecodeLine(qsizetype from, qsizetype to);
    const char16_t* Wide() const { return reinterpret_cast<const char16_t*>(m_text.constData()); }

    std::vector<QByteArray> m_chunks; // 8-bit text
    std::vector<Span> m_spans;        // the part of each chunk inside the trimmed text
    size_t m_chunk = 0;
    bool m_chunkKept = false; // the current chunk is in the text store
    bool m_textKept = false;  // the UTF-16 text is in the text store
    bool m_chunkDone = false; // NextBytes gave the last line of the current chunk
    bool m_loneCr = false;    // a CR without its LF ends a line somewhere
    QString m_text;           // UTF-16 text
    Span m_wide;
    Encoding m_encoding = Encoding::Utf16;
    qsizetype m_pos = 0;
    qsizetype m_lineCount = 0;
    QString m_line; // the current decoded 8-bit line
    QStringDecoder m_utf8{QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                    QStringDecoder::Flag::ConvertInitialBom};
    QStringDecoder m_latin1{QStringDecoder::Latin1, QStringDecoder::Flag::Stateless};
};
