// SPDX-License-Identifier: GPL-3.0-or-later
// Property set streams on their own, read as either of the two sets.
#include "fileinfo/OlePropertySet.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const ByteReader stream(reinterpret_cast<const char*>(data), qint64(size));
    qsizetype total = 0;
    for (const QByteArrayView id :
         {OlePropertySet::SummaryInformation(), OlePropertySet::DocumentSummaryInformation()}) {
        OlePropertySet set;
        if (!set.read(stream, id))
            continue;
        for (quint32 pid = 0; pid < 32; ++pid)
            total += set.value(pid).toString().size();
    }
    return total < 0 ? -1 : 0;
}
