// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/FileIcon.h"

#include "fileinfo/FileInfo.h"

QIcon FileIconOf(const FileInfo& info)
{
    if (!info.FileExists())
        return QIcon();
    const QString fallback = info.GenericIconName().isEmpty()
                                 ? QStringLiteral("application-octet-stream")
                                 : info.GenericIconName();
    if (info.IconName().isEmpty())
        return QIcon::fromTheme(fallback);
    return QIcon::fromTheme(info.IconName(), QIcon::fromTheme(fallback));
}
