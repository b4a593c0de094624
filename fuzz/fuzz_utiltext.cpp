// SPDX-License-Identifier: GPL-3.0-or-later
// Texts the utility functions take from outside: desktop files and their Exec
// lines, size texts, masks and folder names from command files.
#include "core/PathUtil.h"
#include "core/SizeUtil.h"
#include "platform/DesktopEntry.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString exec =
        DesktopEntry::groupValue(text, QStringLiteral("Desktop Entry"), QStringLiteral("Exec"));
    DesktopEntry::expandExec(exec, QStringLiteral("/tmp/f.txt"), QStringLiteral("Name"));
    DesktopEntry::expandExec(text, QStringLiteral("/tmp/f.txt"));

    FormatByteSize(text, 4, 2);
    ParseByteSize(text);

    ResolveFolder(text, QStringLiteral("/base/ordner/"));
    ParentFolder(text, qint32(size % 7), size % 2 == 0);
    NetworkShareRoot(text);
    FileBaseName(text);
    return 0;
}
