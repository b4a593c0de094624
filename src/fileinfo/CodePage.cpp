// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/CodePage.h"

#include "core/AnsiText.h"

#include <QStringDecoder>

#include <cerrno>

#include <iconv.h>

namespace {
constexpr char16_t Replacement = 0xFFFD;

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
        return decodeWindows1252(bytes);
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
    return text.isNull() ? decodeWindows1252(bytes) : text;
}
