// SPDX-License-Identifier: GPL-3.0-or-later
// Whole documents: OLE2 compound files and zip packages, from the container
// down to the property values and their texts.
#include "fileinfo/OfficeDocReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const DocPropertyValues values =
        OfficeDocReader::read(ByteReader(reinterpret_cast<const char*>(data), qint64(size)));
    // Turn every value into bytes the way the command line prints them.
    qsizetype total = 0;
    for (const QString& value : values)
        total += value.toUtf8().size();
    return total < 0 ? -1 : 0;
}
