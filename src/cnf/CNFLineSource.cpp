// SPDX-License-Identifier: GPL-3.0-or-later
#include "cnf/CNFLineSource.h"

#include <QByteArrayView>

namespace {
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool startsWith(const QByteArray& bytes, QByteArrayView prefix)
{
    return QByteArrayView(bytes).startsWith(prefix);
}

QString decodeUtf16(QByteArrayView bytes, QStringDecoder::Encoding encoding)
{
    // A dangling odd byte is not a character of any kind; it is left out.
    const QByteArrayView whole = bytes.first(bytes.size() & ~qsizetype(1));
    QStringDecoder decoder(encoding, QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(whole);
}
} // namespace

char16_t CNFLineSource::FromWindows1252(quint8 byte)
{
    return byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : char16_t(byte);
}

CNFLineSource::CNFLineSource(QByteArray bytes, bool unicode)
{
    static const QByteArrayView utf16le("\xFF\xFE", 2);
    static const QByteArrayView utf16be("\xFE\xFF", 2);
    static const QByteArrayView utf8("\xEF\xBB\xBF", 3);
    if (startsWith(bytes, utf16le)) {
        m_text = decodeUtf16(QByteArrayView(bytes).sliced(2), QStringDecoder::Utf16LE);
    } else if (startsWith(bytes, utf16be)) {
        m_text = decodeUtf16(QByteArrayView(bytes).sliced(2), QStringDecoder::Utf16BE);
    } else if (startsWith(bytes, utf8)) {
        m_encoding = Encoding::Utf8;
        m_bytes = std::move(bytes);
        m_begin = 3;
    } else if (unicode) {
        m_text = decodeUtf16(bytes, QStringDecoder::Utf16LE);
    } else {
        m_encoding = QByteArrayView(bytes).isValidUtf8() ? Encoding::Utf8 : Encoding::Windows1252;
        m_bytes = std::move(bytes);
    }
    Prepare();
}

CNFLineSource::CNFLineSource(QString text) : m_text(std::move(text))
{
    Prepare();
}

void CNFLineSource::Prepare()
{
    if (m_encoding == Encoding::Utf16) {
        m_end = m_text.size();
        while (m_begin < m_end && m_text.at(m_begin) == u' ')
            ++m_begin;
        while (m_end > m_begin && m_text.at(m_end - 1) == u' ')
            --m_end;
        CountLines(m_text.utf16());
    } else {
        m_end = m_bytes.size();
        while (m_begin < m_end && m_bytes.at(m_begin) == ' ')
            ++m_begin;
        while (m_end > m_begin && m_bytes.at(m_end - 1) == ' ')
            --m_end;
        CountLines(m_bytes.constData());
    }
    m_pos = m_begin;
}

template <typename Unit> qsizetype CNFLineSource::LineEnd(const Unit* data, qsizetype from) const
{
    qsizetype i = from;
    while (i < m_end && data[i] != Unit('\n') && data[i] != Unit('\r'))
        ++i;
    return i;
}

template <typename Unit> qsizetype CNFLineSource::SkipBreak(const Unit* data, qsizetype at) const
{
    if (at >= m_end)
        return at;
    if (data[at] == Unit('\r') && at + 1 < m_end && data[at + 1] == Unit('\n'))
        return at + 2;
    return at + 1;
}

template <typename Unit> void CNFLineSource::CountLines(const Unit* data)
{
    m_lineCount = 0;
    qsizetype pos = m_begin;
    while (pos < m_end) {
        pos = SkipBreak(data, LineEnd(data, pos));
        ++m_lineCount;
    }
}

bool CNFLineSource::NextLine(QStringView& line)
{
    if (m_pos >= m_end)
        return false;
    if (m_encoding == Encoding::Utf16) {
        const qsizetype stop = LineEnd(m_text.utf16(), m_pos);
        line = QStringView(m_text).sliced(m_pos, stop - m_pos);
        m_pos = SkipBreak(m_text.utf16(), stop);
    } else {
        const qsizetype stop = LineEnd(m_bytes.constData(), m_pos);
        line = DecodeLine(m_pos, stop);
        m_pos = SkipBreak(m_bytes.constData(), stop);
    }
    return true;
}

QStringView CNFLineSource::DecodeLine(qsizetype from, qsizetype to)
{
    const QByteArrayView bytes = QByteArrayView(m_bytes).sliced(from, to - from);
    if (m_encoding == Encoding::Utf8) {
        m_line.resize(m_utf8.requiredSpace(bytes.size()));
        const QChar* end = m_utf8.appendToBuffer(m_line.data(), bytes);
        return QStringView(m_line.constData(), end - m_line.constData());
    }
    m_line.resize(bytes.size());
    char16_t* out = reinterpret_cast<char16_t*>(m_line.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = FromWindows1252(quint8(bytes[i]));
    return QStringView(m_line.constData(), bytes.size());
}
