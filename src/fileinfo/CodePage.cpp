// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/CodePage.h"

#include <QStringDecoder>

#include <cerrno>

#include <iconv.h>

namespace {
constexpr char16_t Replacement = 0xFFFD;

// 0x80 to 0x9F of Windows-1252; the rest of the page is Latin-1. The five
// unassigned bytes are taken as the C1 controls they map to on Windows.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decode1252(QByteArrayView bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out += QChar(b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : char16_t(b));
    }
    return out;
}

QString decodeQt(QByteArrayView bytes, QStringConverter::Encoding encoding)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

QByteArray iconvName(quint16 codePage)
{
    if (codePage >= 28591 && codePage <= 28599)
        return "ISO-8859-" + QByteArray::number(codePage - 28590);
    switch (codePage) {
    case 10000:
        return "MACINTOSH";
    case 20866:
        return "KOI8-R";
    case 21866:
        return "KOI8-U";
    case 51932:
        return "EUC-JP";
    case 51949:
        return "EUC-KR";
    case 54936:
        return "GB18030";
    default:
        return "CP" + QByteArray::number(codePage);
    }
}

// Converts with the host's iconv; an invalid byte becomes U+FFFD and the
// conversion goes on after it. Null when the host does not know the page.
QString decodeIconv(QByteArrayView bytes, quint16 codePage)
{
    iconv_t cd = iconv_open("UTF-16LE", iconvName(codePage).constData());
    if (cd == iconv_t(-1))
        return QString();
    QString out;
    QByteArray buffer(4096, Qt::Uninitialized);
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = size_t(bytes.size());
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        size_t outLeft = size_t(buffer.size());
        const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        const int error = rc == size_t(-1) ? errno : 0;
        const qsizetype produced = buffer.size() - qsizetype(outLeft);
        out +=
            QString::fromUtf16(reinterpret_cast<const char16_t*>(buffer.constData()), produced / 2);
        if (error == EILSEQ || error == EINVAL) {
            out += QChar(Replacement);
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        } else if (error != 0 && error != E2BIG) {
            break;
        }
    }
    iconv_close(cd);
    if (out.isNull())
        out = QLatin1String("");
    return out;
}
} // namespace

QString DecodeCodePage(QByteArrayView bytes, quint16 codePage)
{
    switch (codePage) {
    case 0:
    case 1252:
    case 20127:
        return decode1252(bytes);
    case 65001:
        return decodeQt(bytes, QStringConverter::Utf8);
    case 1200:
        return decodeQt(bytes, QStringConverter::Utf16LE);
    case 1201:
        return decodeQt(bytes, QStringConverter::Utf16BE);
    default:
        break;
    }
    const QString text = decodeIconv(bytes, codePage);
    return text.isNull() ? decode1252(bytes) : text;
}
