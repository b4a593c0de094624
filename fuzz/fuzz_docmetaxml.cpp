// SPDX-License-Identifier: GPL-3.0-or-later
// The metadata parts of zip-based documents. The first byte chooses the part:
// 0 core.xml, 1 app.xml, 2 meta.xml, 3 a relationship list.
#include "fileinfo/DocMetaXml.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const QByteArrayView xml(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    DocPropertyValues values;
    switch (data[0] % 4) {
    case 0:
        DocMetaXml::readOoxmlCore(xml, values);
        break;
    case 1:
        DocMetaXml::readOoxmlApp(xml, values);
        break;
    case 2:
        DocMetaXml::readOdfMeta(xml, values);
        break;
    default:
        values[0] =
            DocMetaXml::relationshipTarget(xml, QStringLiteral("/metadata/core-properties"));
        break;
    }
    qsizetype total = 0;
    for (const QString& value : values)
        total += value.toUtf8().size();
    return total < 0 ? -1 : 0;
}
