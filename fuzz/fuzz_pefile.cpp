// SPDX-License-Identifier: GPL-3.0-or-later
// PE images from memory: the resource tree, the exported names, the version
// resource and the icons, each result formatted so that the printing paths
// run too.
#include "fileinfo/FileVersionInfo.h"
#include "icons/IconExtract.h"
#include "platform/PeFile.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QStringList out;
    PeFile pe;
    if (pe.openData(bytes)) {
        for (const PeResource& r : pe.resources()) {
            const QByteArray view = pe.data(r);
            out << r.type.name << QString::number(r.type.id) << r.name.name
                << QString::number(r.language) << QString::number(qChecksum(view));
        }
        out << pe.exportNames();
    }
    FileVersionInfo info;
    info.RefreshFromData(bytes);
    out << info.FileVersion() << info.ProductVersion() << info.FileFlags() << info.FileOS()
        << info.FileType() << info.FileSubType() << info.Language() << info.CompanyName()
        << info.FileDescription() << info.Comments() << info.ProductName()
        << QString::number(info.FileVersionRevision());

    IconExtract icons;
    const qint32 count = icons.ExtractFromData(bytes);
    for (qint32 i = 0; i < count; ++i) {
        const QImage large = icons.GetPicture(i, 1);
        const QImage small = icons.GetPicture(i, 0);
        if (large.size() != QSize(32, 32) || small.size() != QSize(16, 16))
            __builtin_trap();
        out << QString::number(icons.Images(i).size());
    }
    return out.join(QLatin1Char('\t')).size() < 0;
}
