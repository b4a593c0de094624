// SPDX-License-Identifier: GPL-3.0-or-later
// Icon files, and single icon images (bitmap with mask, or PNG).
#include "icons/IcoFile.h"
#include "icons/IconImage.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const auto group = IcoFile::read(bytes)) {
        for (int wanted : {16, 32}) {
            const QImage image = group->pick(wanted);
            if (!image.isNull() && image.size() != QSize(wanted, wanted))
                __builtin_trap();
        }
    }
    const auto info = IconImage::probe(bytes, 32);
    const QImage image = IconImage::decode(bytes, 32);
    // What the header promises is what the decoder delivers.
    if (info && !image.isNull() && image.size() != QSize(info->width, info->height))
        __builtin_trap();
    return 0;
}
