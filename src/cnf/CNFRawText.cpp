// SPDX-License-Identifier: GPL-3.0-or-later
#include "cnf/CNFRawText.h"
#include "cnf/CNFTextStore.h"

#include "core/AnsiText.h"

#include <QStringDecoder>

QString CNFRawText::Decode() const
{
    switch (encoding) {
    case CNFEncoding::Utf16:
        return QString(static_cast<const QChar*>(data), size);
    case CNFEncoding::Windows1252:
        return decodeWindows1252(QByteArrayView(static_cast<const char*>(data), size));
    case CNFEncoding::Utf8:
        break;
    }
    // As the line reader decodes: a U+FEFF inside the text is a character.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(QByteArrayView(static_cast<const char*>(data), size));
}

qint64 CNFTextStore::Add(const CNFPendingLine& line)
{
    if ((m_count & (kBlock - 1)) == 0)
        m_blocks.push_back(std::make_unique_for_overwrite<CNFPendingLine[]>(size_t(kBlock)));
    m_blocks.back()[m_count & (kBlock - 1)] = line;
    return m_count++;
}
