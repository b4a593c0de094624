// SPDX-License-Identifier: GPL-3.0-or-later
// Parses arbitrary bytes as a .reg file; whatever parses is written out in both
// formats and must read back to the same keys and values.
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
    RegFileReader reader;
    if (!reader.read(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))))
        return 0;
    roundTrip(reader.document(), RegFileFormat::Version5);
    roundTrip(reader.document(), RegFileFormat::Regedit4);
    return 0;
}
