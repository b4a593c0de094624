// SPDX-License-Identifier: GPL-3.0-or-later
// Parses arbitrary bytes as a .reg file; whatever parses is written out in both
// formats and must read back to the same keys and values. Reading to a sink
// must hand over exactly the keys of the whole document, and no name or text
// that was read may hold a lone surrogate (it would be stored as "?").
#include "core/RegFileReader.h"
#include "core/RegFileWriter.h"

#include <cstdint>
#include <cstdlib>

namespace {
bool sameKeys(const QList<RegFileKey>& a, const QList<RegFileKey>& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].root != b[i].root || a[i].path != b[i].path || a[i].remove != b[i].remove ||
            a[i].values.size() != b[i].values.size())
            return false;
        for (qsizetype j = 0; j < a[i].values.size(); ++j) {
            const RegFileValue& x = a[i].values[j];
            const RegFileValue& y = b[i].values[j];
            if (x.remove != y.remove || x.value.name != y.value.name ||
                (!x.remove && (x.value.type != y.value.type || x.value.data != y.value.data)))
                return false;
        }
    }
    return true;
}

bool wellFormed(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (text.at(i).isSurrogate())
            return false;
    }
    return true;
}

void checkTexts(const RegFileDocument& document)
{
    for (const RegFileKey& key : document.keys) {
        if (!wellFormed(key.path))
            std::abort();
        for (const RegFileValue& entry : key.values) {
            const bool text = !entry.remove && entry.value.type == SettingsValue::Text;
            if (!wellFormed(entry.value.name) || (text && !wellFormed(entry.value.toText())))
                std::abort();
        }
    }
}

void roundTrip(const RegFileDocument& document, RegFileFormat format)
{
    QString error;
    const std::optional<QString> text =
        RegFileWriter(format).text(document.keys, QStringLiteral("\r\n"), error);
    if (!text)
        return;
    const QByteArray bytes =
        format == RegFileFormat::Version5 ? RegFileWriter::utf16LeWithBom(*text) : text->toUtf8();
    RegFileReader again;
    if (!again.read(bytes) || !sameKeys(document.keys, again.document().keys))
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    RegFileReader reader;
    QList<RegFileKey> streamed;
    const bool streamedOk = reader.read(bytes, [&](const RegFileKey& key) {
        streamed.append(key);
        return true;
    });
    if (!reader.read(bytes)) {
        if (streamedOk)
            std::abort();
        return 0;
    }
    if (!streamedOk || !sameKeys(streamed, reader.document().keys))
        std::abort();
    checkTexts(reader.document());
    roundTrip(reader.document(), RegFileFormat::Version5);
    roundTrip(reader.document(), RegFileFormat::Regedit4);
    return 0;
}
