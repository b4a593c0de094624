// SPDX-License-Identifier: GPL-3.0-or-later
// Version resources on their own: the block walk, the fixed block and the
// string tables, with the display texts formatted from whatever was found.
#include "fileinfo/FileVersionInfo.h"
#include "fileinfo/LanguageNames.h"
#include "fileinfo/VersionResource.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    VersionResource resource;
    if (!resource.parse(bytes))
        return 0;
    QStringList out;
    if (const auto& f = resource.fixed()) {
        out << FileVersionInfo::VersionText(f->fileVersionMS, f->fileVersionLS)
            << QString::number(FileVersionInfo::VersionRevision(f->fileVersionLS))
            << FileVersionInfo::FlagsText(f->fileFlags) << FileVersionInfo::OSText(f->fileOS)
            << FileVersionInfo::TypeText(f->fileType)
            << FileVersionInfo::SubTypeText(f->fileType, f->fileSubtype);
    }
    for (quint32 t : resource.translations())
        out << LanguageName(quint16(t & 0xFFFF));
    for (const QString& code : resource.tableCodes())
        out << resource.string(code, QStringLiteral("CompanyName"))
            << resource.string(code, QStringLiteral("FileVersion"));
    return out.join(QLatin1Char('\t')).size() < 0;
}
