// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/OlePropertySet.h"

#include "fileinfo/CodePage.h"

#include <QStringDecoder>
#include <QTimeZone>

namespace {
constexpr quint16 VtI2 = 2;
constexpr quint16 VtI4 = 3;
constexpr quint16 VtBstr = 8;
constexpr quint16 VtLpstr = 30;
constexpr quint16 VtLpwstr = 31;
constexpr quint16 VtFiletime = 64;
constexpr quint32 PidCodePage = 1;
constexpr quint16 CpUtf16 = 1200;
// Sections list their properties first; more than this is no real document.
constexpr quint32 MaxProperties = 4096;
constexpr quint32 MaxSections = 16;
// Seconds from 1601-01-01 (file times) to 1970-01-01.
constexpr qint64 FileTimeEpochOffset = 11644473600LL;

QString untilNull(const QString& text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

QVariant fileTime(quint64 ticks)
{
    if (ticks == 0)
        return QVariant();
    const qint64 seconds = qint64(ticks / 10000000ULL) - FileTimeEpochOffset;
    const QDateTime utc = QDateTime::fromSecsSinceEpoch(seconds, QTimeZone::utc());
    if (!utc.isValid() || utc.date().year() > 9999)
        return QVariant();
    return utc.toLocalTime();
}
} // namespace

QByteArrayView OlePropertySet::SummaryInformation()
{
    // F29F85E0-4FF9-1068-AB91-08002B27B3D9
    return QByteArrayView("\xE0\x85\x9F\xF2\xF9\x4F\x68\x10\xAB\x91\x08\x00\x2B\x27\xB3\xD9", 16);
}

QByteArrayView OlePropertySet::DocumentSummaryInformation()
{
    // D5CDD502-2E9C-101B-9397-08002B2CF9AE
    return QByteArrayView("\x02\xD5\xCD\xD5\x9C\x2E\x1B\x10\x93\x97\x08\x00\x2B\x2C\xF9\xAE", 16);
}

bool OlePropertySet::read(const ByteReader& stream, QByteArrayView formatId)
{
    m_values.clear();
    m_codePage = 1252;
    if (stream.u16le(0) != quint16(0xFFFE))
        return false;
    const quint32 sections = std::min(stream.u32le(24).value_or(0), MaxSections);
    std::optional<quint32> offset;
    for (quint32 i = 0; i < sections && !offset; ++i) {
        const auto id = stream.view(28 + 20 * quint64(i), 16);
        if (id && *id == formatId)
            offset = stream.u32le(44 + 20 * quint64(i));
    }
    if (!offset || !stream.has(*offset, 8))
        return false;
    // A section that claims more than the stream holds is read as far as it goes.
    const quint64 claimed = stream.u32le(*offset).value_or(0);
    const auto section = stream.sub(*offset, std::min(claimed, stream.size() - *offset));
    if (!section)
        return false;
    const quint32 count = std::min(section->u32le(4).value_or(0), MaxProperties);
    QHash<quint32, quint32> where;
    for (quint32 i = 0; i < count; ++i) {
        const auto pid = section->u32le(8 + 8 * quint64(i));
        const auto at = section->u32le(12 + 8 * quint64(i));
        if (!pid || !at)
            break;
        // A damaged index may name a property twice; the first entry counts.
        if (!where.contains(*pid))
            where.insert(*pid, *at);
    }
    if (where.contains(PidCodePage)) {
        // Stored as VT_I2, but code pages above 32767 exist (65001 is UTF-8).
        const quint64 at = where.value(PidCodePage);
        if (section->u16le(at) == VtI2)
            m_codePage = section->u16le(at + 4).value_or(m_codePage);
    }
    for (auto it = where.cbegin(); it != where.cend(); ++it) {
        const QVariant v = decode(*section, it.value());
        if (!v.isNull())
            m_values.insert(it.key(), v);
    }
    return true;
}

QVariant OlePropertySet::decode(const ByteReader& section, quint64 offset) const
{
    const auto type = section.u16le(offset);
    if (!type)
        return QVariant();
    const quint64 value = offset + 4;
    switch (*type) {
    case VtI2:
        if (const auto v = section.i16le(value))
            return int(*v);
        return QVariant();
    case VtI4:
        if (const auto v = section.i32le(value))
            return int(*v);
        return QVariant();
    case VtLpstr:
    case VtBstr: {
        const auto length = section.u32le(value);
        const auto bytes = length ? section.view(value + 4, *length) : std::nullopt;
        if (!bytes)
            return QVariant();
        // Under code page 1200 these "8-bit" strings are UTF-16 as well.
        const QString text = m_codePage == CpUtf16
                                 ? QString(QStringDecoder(QStringConverter::Utf16LE)(*bytes))
                                 : DecodeCodePage(*bytes, m_codePage);
        return untilNull(text);
    }
    case VtLpwstr: {
        const auto chars = section.u32le(value);
        const auto bytes = chars ? section.view(value + 4, 2 * quint64(*chars)) : std::nullopt;
        if (!bytes)
            return QVariant();
        return untilNull(QStringDecoder(QStringConverter::Utf16LE)(*bytes));
    }
    case VtFiletime:
        if (const auto v = section.u64le(value))
            return fileTime(*v);
        return QVariant();
    default:
        return QVariant();
    }
}
