// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/DriveList.h"

#include "core/TextUtil.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStorageInfo>

namespace {
bool IsPseudoFileSystem(const QByteArray& type)
{
    static const QSet<QByteArray> kPseudo = {
        "proc",   "sysfs",       "devpts",     "cgroup",   "cgroup2",  "securityfs", "pstore",
        "bpf",    "debugfs",     "tracefs",    "configfs", "fusectl",  "mqueue",     "hugetlbfs",
        "autofs", "binfmt_misc", "rpc_pipefs", "nsfs",     "efivarfs", "selinuxfs",  "devtmpfs",
    };
    return kPseudo.contains(type);
}
} // namespace

QList<DriveList::Drive> DriveList::Volumes()
{
    QList<Drive> drives;
    QSet<QString> seen;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady() || IsPseudoFileSystem(volume.fileSystemType()))
            continue;
        const QString root = AddTrailing(volume.rootPath(), QLatin1Char('/'));
        if (seen.contains(root))
            continue;
        seen.insert(root);
        QString caption = root;
        const QString name = volume.displayName();
        if (!name.isEmpty() && name != volume.rootPath())
            caption += QStringLiteral("  [") + name + QLatin1Char(']');
        drives.append({root, caption});
    }
    std::sort(drives.begin(), drives.end(),
              [](const Drive& a, const Drive& b) { return a.rootPath < b.rootPath; });
    return drives;
}

QString DriveList::DriveOf(const QString& path)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return {};
    const QStorageInfo volume(path);
    if (!volume.isValid())
        return QStringLiteral("/");
    return AddTrailing(volume.rootPath(), QLatin1Char('/'));
}

bool DriveList::IsReady(const QString& rootPath)
{
    const QFileInfo info(rootPath);
    if (!info.isDir() || !info.isReadable() || !info.isExecutable())
        return false;
    const QStorageInfo volume(rootPath);
    return volume.isValid() && volume.isReady();
}
