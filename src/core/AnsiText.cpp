// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AnsiText.h"

#include <QStringDecoder>

namespace {
// 0x80 to 0x9F of Windows-1252; the five unassigned bytes keep their Latin-1 code.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
} // namespace

char16_t windows1252Char(quint8 byte)
{
    return byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : char16_t(byte);
}

QString decodeWindows1252(QByteArrayView bytes)
{
    // Latin-1 is Windows-1252 but for 0x80 to 0x9F, which are rare: Qt's
    // quick conversion first, then those few bytes.
    QString text = QString::fromLatin1(bytes);
    const auto* in = reinterpret_cast<const quint8*>(bytes.data());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if ((in[i] & 0xE0) == 0x80)
            text[i] = QChar(windows1252Char(in[i]));
    }
    return text;
}

bool isValidUtf8(QByteArrayView bytes)
{
    return bytes.isValidUtf8();
}

QString decodeAnsi(QByteArrayView bytes)
{
    if (isValidUtf8(bytes)) {
        // Exactly: a leading U+FEFF is kept, as every other character is.
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                         QStringDecoder::Flag::ConvertInitialBom);
        return decoder.decode(bytes);
    }
    return decodeWindows1252(bytes);
}
