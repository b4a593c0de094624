// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/FolderListing.h"

#include <QFile>

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>
#include <vector>

namespace {
// Closes the directory stream on every way out.
struct DirCloser {
    DIR* dir;
    ~DirCloser()
    {
        if (dir)
            closedir(dir);
    }
};

bool EntryIsKind(int dirFd, const dirent* entry, bool wantFolder)
{
    unsigned char type = entry->d_type;
    if (type == DT_UNKNOWN || type == DT_LNK) {
        // File systems that do not fill d_type, and links: ask for the target.
        struct stat st;
        if (fstatat(dirFd, entry->d_name, &st, 0) != 0)
            return false;
        return wantFolder ? S_ISDIR(st.st_mode) : S_ISREG(st.st_mode);
    }
    return wantFolder ? type == DT_DIR : type == DT_REG;
}
} // namespace

QStringList FolderListing::Files(const QString& folder, const FilePattern& pattern)
{
    return List(folder, Kind::File, &pattern, false);
}

QStringList FolderListing::Folders(const QString& folder)
{
    return List(folder, Kind::Folder, nullptr, false);
}

bool FolderListing::HasFile(const QString& folder, const FilePattern& pattern)
{
    return !List(folder, Kind::File, &pattern, true).isEmpty();
}

QStringList FolderListing::List(const QString& folder, Kind kind, const FilePattern* pattern,
                                bool firstOnly)
{
    QStringList names;
    if (folder.isEmpty())
        return names;
    DirCloser guard{opendir(QFile::encodeName(folder).constData())};
    if (!guard.dir)
        return names;
    const int fd = dirfd(guard.dir);
    while (const dirent* entry = readdir(guard.dir)) {
        if (entry->d_name[0] == '.')
            continue;
        if (!EntryIsKind(fd, entry, kind == Kind::Folder))
            continue;
        const QString name = QFile::decodeName(entry->d_name);
        if (pattern && !pattern->Matches(name))
            continue;
        names.append(name);
        if (firstOnly)
            return names;
    }
    SortNames(names);
    return names;
}

void FolderListing::SortNames(QStringList& names)
{
    // Folding once per name keeps the sort of a large folder cheap.
    std::vector<std::pair<QString, QString>> keyed;
    keyed.reserve(size_t(names.size()));
    for (QString& name : names)
        keyed.emplace_back(name.toCaseFolded(), std::move(name));
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        const int c = a.first.compare(b.first);
        return c != 0 ? c < 0 : a.second < b.second;
    });
    names.clear();
    names.reserve(qsizetype(keyed.size()));
    for (auto& pair : keyed)
        names.append(std::move(pair.second));
}
