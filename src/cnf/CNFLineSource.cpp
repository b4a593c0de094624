// SPDX-License-Identifier: GPL-3.0-or-later
#include "cnf/CNFLineSource.h"

#include "core/AnsiText.h"
#include "platform/InputFile.h"

#include <QByteArrayView>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

constexpr qint64 kBlock = 4 << 20;
// A chunk this large holds a line far longer than a block; keeping it for a
// short value beside that line would hold the long line's bytes twice.
constexpr qsizetype kKeepChunksUpTo = 16 << 20;

// The first c in [from, to), or to.
qsizetype find(const char* data, qsizetype from, qsizetype to, char c)
{
    const void* hit = std::memchr(data + from, c, size_t(to - from));
    return hit ? static_cast<const char*>(hit) - data : to;
}

qsizetype find(const char16_t* data, qsizetype from, qsizetype to, char16_t c)
{
    const qsizetype hit = QStringView(data + from, to - from).indexOf(QChar(c));
    return hit < 0 ? to : from + hit;
}

// Where the line starting at `from` ends. Where every CR is followed by a
// LF, one search finds it; otherwise a lone CR may come first. Two
// vectorised searches beat one loop testing two characters.
template <typename Unit>
qsizetype lineEnd(const Unit* data, qsizetype from, qsizetype to, bool loneCr)
{
    const qsizetype lf = find(data, from, to, Unit('\n'));
    if (loneCr)
        return find(data, from, lf, Unit('\r'));
    return lf > from && data[lf - 1] == Unit('\r') ? lf - 1 : lf;
}

// Where the next line starts after a line ending at `at`.
template <typename Unit> qsizetype skipBreak(const Unit* data, qsizetype at, qsizetype to)
{
    if (at >= to)
        return at;
    if (data[at] == Unit('\r') && at + 1 < to && data[at + 1] == Unit('\n'))
        return at + 2;
    return at + 1;
}

// The lines in [from, to): one per LF, CR LF or lone CR, and one more
// where the text does not end with a break. Sets `loneCr` when a CR stands
// without its LF.
template <typename Unit>
qsizetype countLines(const Unit* data, qsizetype from, qsizetype to, bool& loneCr)
{
    if (from >= to)
        return 0;
    qsizetype lines = data[to - 1] == Unit('\n') || data[to - 1] == Unit('\r') ? 0 : 1;
    for (qsizetype at = find(data, from, to, Unit('\n')); at < to;
         at = find(data, at + 1, to, Unit('\n')))
        ++lines;
    for (qsizetype at = find(data, from, to, Unit('\r')); at < to;
         at = find(data, at + 1, to, Unit('\r'))) {
        if (at + 1 >= to || data[at + 1] != Unit('\n')) {
            ++lines;
            loneCr = true;
        }
    }
    return lines;
}

} // namespace

bool CNFLineSource::ReadChunks(InputFile& file, quint64 cap, std::vector<QByteArray>& chunks,
                               const std::function<void()>& pump)
{
    QByteArray pending;
    quint64 offset = 0;
    while (true) {
        const qsizetype old = pending.size();
        const quint64 room = std::min<quint64>(kBlock, cap + 1 - offset);
        pending.resize(old + qsizetype(room));
        const std::optional<qsizetype> got = file.readSome(offset, pending.data() + old, room);
        if (!got)
            return false;
        pending.resize(old + *got);
        offset += quint64(*got);
        if (offset > cap)
            return file.setTooLarge();
        if (*got == 0)
            break;
        if (pump)
            pump();
        // Cut after the last line feed, so no line, CR LF pair or UTF-8
        // sequence spans two chunks. Only the new bytes are searched.
        const qsizetype inNew = QByteArrayView(pending).sliced(old).lastIndexOf('\n');
        if (inNew < 0)
            continue;
        // The chunk keeps the buffer it was read into; only the piece of a
        // line after the cut is copied.
        const qsizetype cut = old + inNew + 1;
        QByteArray rest = QByteArrayView(pending).sliced(cut).toByteArray();
        pending.truncate(cut);
        chunks.push_back(std::exchange(pending, std::move(rest)));
    }
    if (!pending.isEmpty() || chunks.empty()) {
        pending.squeeze();
        chunks.push_back(std::move(pending));
    }
    return true;
}

CNFLineSource::CNFLineSource(QByteArray bytes, bool unicode)
{
    m_chunks.push_back(std::move(bytes));
    Decide(unicode, {});
}

CNFLineSource::CNFLineSource(std::vector<QByteArray> chunks, bool unicode,
                             const std::function<void()>& pump)
    : m_chunks(std::move(chunks))
{
    if (m_chunks.empty())
        m_chunks.emplace_back();
    Decide(unicode, pump);
}

CNFLineSource::CNFLineSource(QString text) : m_text(std::move(text))
{
    PrepareWide();
}

void CNFLineSource::Decide(bool unicode, const std::function<void()>& pump)
{
    const QByteArrayView head(m_chunks.front());
    QStringDecoder::Encoding wide = QStringDecoder::Utf16LE;
    qsizetype skip = 0;
    if (head.startsWith("\xFF\xFE")) {
        skip = 2;
    } else if (head.startsWith("\xFE\xFF")) {
        wide = QStringDecoder::Utf16BE;
        skip = 2;
    } else if (head.startsWith("\xEF\xBB\xBF") || !unicode) {
        bool valid = true;
        for (const QByteArray& chunk : m_chunks)
            valid = valid && QByteArrayView(chunk).isValidUtf8();
        m_encoding = valid ? Encoding::Utf8 : Encoding::Windows1252;
        PrepareBytes(head.startsWith("\xEF\xBB\xBF") ? 3 : 0);
        return;
    }
    // Chunk by chunk, each let go once decoded: the stateful decoder
    // carries a character split between two chunks over, and a dangling odd
    // byte at the end, no character of any kind, is left out.
    qsizetype total = 0;
    for (const QByteArray& chunk : m_chunks)
        total += chunk.size();
    QStringDecoder decoder(wide, QStringDecoder::Flag::ConvertInitialBom);
    m_text.resize(decoder.requiredSpace(total));
    QChar* out = m_text.data();
    for (size_t i = 0; i < m_chunks.size(); ++i) {
        out = decoder.appendToBuffer(out, QByteArrayView(m_chunks[i]).sliced(i == 0 ? skip : 0));
        m_chunks[i] = QByteArray();
        if (pump)
            pump();
    }
    m_chunks.clear();
    m_text.truncate(out - m_text.constData());
    PrepareWide();
}

void CNFLineSource::PrepareWide()
{
    Span& span = m_wide;
    span.end = m_text.size();
    while (span.begin < span.end && m_text.at(span.begin) == u' ')
        ++span.begin;
    while (span.end > span.begin && m_text.at(span.end - 1) == u' ')
        --span.end;
    m_lineCount = countLines(Wide(), span.begin, span.end, m_loneCr);
    m_pos = span.begin;
}

void CNFLineSource::PrepareBytes(qsizetype skip)
{
    for (const QByteArray& chunk : m_chunks)
        m_spans.push_back(Span{0, chunk.size()});
    const QByteArray& first = m_chunks.front();
    Span& head = m_spans.front();
    head.begin = skip;
    while (head.begin < head.end && first.at(head.begin) == ' ')
        ++head.begin;
    const QByteArray& last = m_chunks.back();
    Span& tail = m_spans.back();
    while (tail.end > tail.begin && last.at(tail.end - 1) == ' ')
        --tail.end;
    for (size_t i = 0; i < m_chunks.size(); ++i)
        m_lineCount +=
            countLines(m_chunks[i].constData(), m_spans[i].begin, m_spans[i].end, m_loneCr);
    m_pos = head.begin;
}

bool CNFLineSource::NextChunk()
{
    while (m_pos >= m_spans[m_chunk].end) {
        if (m_chunk + 1 >= m_chunks.size())
            return false;
        m_chunks[m_chunk] = QByteArray(); // read: its memory goes back
        ++m_chunk;
        m_chunkKept = false;
        m_pos = m_spans[m_chunk].begin;
    }
    return true;
}

bool CNFLineSource::NextLine(QStringView& line)
{
    if (m_encoding == Encoding::Utf16) {
        if (m_pos >= m_wide.end)
            return false;
        const qsizetype stop = lineEnd(Wide(), m_pos, m_wide.end, m_loneCr);
        line = QStringView(m_text).sliced(m_pos, stop - m_pos);
        m_pos = skipBreak(Wide(), stop, m_wide.end);
        return true;
    }
    if (!NextChunk())
        return false;
    const char* data = m_chunks[m_chunk].constData();
    const qsizetype end = m_spans[m_chunk].end;
    const qsizetype stop = lineEnd(data, m_pos, end, m_loneCr);
    line = DecodeLine(m_pos, stop);
    m_pos = skipBreak(data, stop, end);
    // The line is decoded: a chunk read to its end goes back now, not with
    // the next line, so a line as long as the file is not held twice.
    if (m_pos >= end)
        m_chunks[m_chunk] = QByteArray();
    return true;
}

bool CNFLineSource::NextBytes(QByteArrayView& line)
{
    // The last line of a chunk was in use until now.
    if (m_chunkDone) {
        m_chunks[m_chunk] = QByteArray();
        m_chunkDone = false;
    }
    if (!NextChunk())
        return false;
    const char* data = m_chunks[m_chunk].constData();
    const qsizetype end = m_spans[m_chunk].end;
    const qsizetype stop = lineEnd(data, m_pos, end, m_loneCr);
    line = QByteArrayView(data + m_pos, stop - m_pos);
    m_pos = skipBreak(data, stop, end);
    m_chunkDone = m_pos >= end;
    return true;
}

bool CNFLineSource::CanKeep() const
{
    return IsWide() || m_chunks[m_chunk].size() <= kKeepChunksUpTo;
}

CNFRawText CNFLineSource::Keep(QByteArrayView piece, CNFTextStore& store)
{
    if (!m_chunkKept) {
        store.bytes.push_back(m_chunks[m_chunk]); // shares the bytes, copies nothing
        m_chunkKept = true;
    }
    return CNFRawText{piece.data(), qint32(piece.size()), m_encoding};
}

CNFRawText CNFLineSource::Keep(QStringView piece, CNFTextStore& store)
{
    if (!m_textKept) {
        store.text = m_text;
        m_textKept = true;
    }
    return CNFRawText{piece.data(), qint32(piece.size()), Encoding::Utf16};
}

QStringView CNFLineSource::DecodeLine(qsizetype from, qsizetype to)
{
    return Decode(QByteArrayView(m_chunks[m_chunk]).sliced(from, to - from));
}

QStringView CNFLineSource::Decode(QByteArrayView bytes)
{
    if (m_encoding == Encoding::Utf8) {
        m_line.resize(m_utf8.requiredSpace(bytes.size()));
        const QChar* end = m_utf8.appendToBuffer(m_line.data(), bytes);
        return QStringView(m_line.constData(), end - m_line.constData());
    }
    // Latin-1 is Windows-1252 but for 0x80 to 0x9F, which are rare.
    m_line.resize(bytes.size());
    m_latin1.appendToBuffer(m_line.data(), bytes);
    const auto* in = reinterpret_cast<const quint8*>(bytes.data());
    bool patch = false;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        patch |= (in[i] & 0xE0) == 0x80;
    if (patch) {
        char16_t* out = reinterpret_cast<char16_t*>(m_line.data());
        for (qsizetype i = 0; i < bytes.size(); ++i)
            out[i] = windows1252Char(in[i]);
    }
    return QStringView(m_line.constData(), bytes.size());
}

QString CNFLineSource::Take(QStringView part)
{
    const QChar* begin = m_line.constData();
    if (m_encoding == Encoding::Utf16 || part.data() < begin ||
        part.data() + part.size() > begin + m_line.size())
        return part.toString();
    const qsizetype from = part.data() - begin;
    QString text = std::exchange(m_line, QString());
    text.truncate(from + part.size());
    text.remove(0, from);
    return text;
}
