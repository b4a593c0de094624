// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FolderHandle.h"

#include <QList>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <utility>

namespace {
int closeKeepingErrno(int fd)
{
    const int code = errno;
    ::close(fd);
    return code;
}

// One folder at a time, for paths the kernel will not take whole. Folders
// on the way need only be searchable (O_PATH); links among them are followed
// as a whole path would follow them.
int openByParts(const QByteArray& path)
{
    int current = path.startsWith('/') ? ::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC)
                                       : ::open(".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (current < 0)
        return -errno;
    const QList<QByteArray> parts = path.split('/');
    qsizetype last = parts.size() - 1;
    while (last > 0 && parts.at(last).isEmpty())
        --last;
    for (qsizetype i = 0; i <= last; ++i) {
        const QByteArray& part = parts.at(i);
        if (part.isEmpty())
            continue;
        const int flags = (i == last ? O_RDONLY : O_PATH) | O_DIRECTORY | O_CLOEXEC;
        const int next = ::openat(current, part.constData(), flags);
        if (next < 0)
            return -closeKeepingErrno(current);
        ::close(current);
        current = next;
    }
    return current;
}

// File systems that look names up ignoring case (linux/magic.h).
bool ignoresCaseByType(long type)
{
    switch (static_cast<unsigned long>(type)) {
    case 0x4d44UL:     // FAT
    case 0x2011BAB0UL: // exFAT
    case 0xFF534D42UL: // CIFS
    case 0xFE534D42UL: // SMB2
    case 0x517BUL:     // SMB
    case 0x482bUL:     // HFS+
        return true;
    default:
        return false;
    }
}
} // namespace

EntryStat EntryStat::From(const struct stat& st)
{
    EntryStat out;
    out.inode = st.st_ino;
    out.size = st.st_size;
    out.mtimeSec = st.st_mtim.tv_sec;
    out.mtimeNsec = qint32(st.st_mtim.tv_nsec);
    out.ctimeSec = st.st_ctim.tv_sec;
    out.ctimeNsec = qint32(st.st_ctim.tv_nsec);
    out.mode = st.st_mode;
    return out;
}

bool EntryStat::isRegular() const
{
    return S_ISREG(mode);
}

bool EntryStat::sameFile(const EntryStat& other) const
{
    return inode == other.inode && size == other.size && mtimeSec == other.mtimeSec &&
           mtimeNsec == other.mtimeNsec && (mode & S_IFMT) == (other.mode & S_IFMT);
}

bool EntryStat::unchanged(const EntryStat& other) const
{
    return sameFile(other) && ctimeSec == other.ctimeSec && ctimeNsec == other.ctimeNsec;
}

FolderHandle::~FolderHandle()
{
    close();
}

void FolderHandle::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

int FolderHandle::open(const QByteArray& path)
{
    close();
    if (path.isEmpty() || path.contains('\0'))
        return ENOENT;
    int fd =
        path.size() < PATH_MAX ? ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1;
    if (fd < 0 && (path.size() >= PATH_MAX || errno == ENAMETOOLONG)) {
        fd = openByParts(path);
        if (fd < 0)
            return -fd;
    } else if (fd < 0) {
        return errno;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return closeKeepingErrno(fd);
    m_fd = fd;
    m_device = st.st_dev;
    m_inode = st.st_ino;
    return 0;
}

int FolderHandle::scan(const ScanSink& sink, Listing which) const
{
    // A descriptor of its own, so that reading does not move this one's position.
    const int fd = ::openat(m_fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    DIR* dir = ::fdopendir(fd);
    if (!dir)
        return closeKeepingErrno(fd);
    const bool hidden = which == Listing::Hidden;
    int result = 0;
    while (true) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (!entry) {
            result = errno;
            break;
        }
        const char* name = entry->d_name;
        if ((name[0] == '.') != hidden || !std::strcmp(name, ".") || !std::strcmp(name, ".."))
            continue;
        if (entry->d_type != DT_REG && entry->d_type != DT_UNKNOWN)
            continue;
        if (which == Listing::VisibleNamesOnly && entry->d_type == DT_REG) {
            EntryStat known;
            known.inode = entry->d_ino;
            known.mode = S_IFREG;
            if (!sink(QByteArray(name), known))
                break;
            continue;
        }
        struct stat st {};
        if (::fstatat(m_fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno == ENOENT) // gone since it was listed
                continue;
            result = errno;
            break;
        }
        if (!S_ISREG(st.st_mode))
            continue;
        if (!sink(QByteArray(name), EntryStat::From(st)))
            break;
    }
    ::closedir(dir);
    return result;
}

int FolderHandle::statAt(const QByteArray& name, EntryStat& out) const
{
    struct stat st {};
    if (::fstatat(m_fd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno;
    out = EntryStat::From(st);
    return 0;
}

int FolderHandle::mayWriteAt(const QByteArray& name) const
{
    return ::faccessat(m_fd, name.constData(), W_OK, AT_EACCESS | AT_SYMLINK_NOFOLLOW) == 0 ? 0
                                                                                            : errno;
}

int FolderHandle::removeAt(const QByteArray& name) const
{
    return ::unlinkat(m_fd, name.constData(), 0) == 0 ? 0 : errno;
}

int FolderHandle::renameAt(const QByteArray& from, const QByteArray& to, bool replace) const
{
    if (replace)
        return ::renameat(m_fd, from.constData(), m_fd, to.constData()) == 0 ? 0 : errno;
    if (::renameat2(m_fd, from.constData(), m_fd, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // Without RENAME_NOREPLACE a hard link makes the same promise.
    if (::linkat(m_fd, from.constData(), m_fd, to.constData(), 0) != 0)
        return errno;
    ::unlinkat(m_fd, from.constData(), 0);
    return 0;
}

int FolderHandle::sync() const
{
    if (::fsync(m_fd) == 0 || errno == EINVAL || errno == EROFS)
        return 0;
    return errno;
}

std::optional<bool> FolderHandle::caseHint() const
{
    int flags = 0;
    if (::ioctl(m_fd, FS_IOC_GETFLAGS, &flags) == 0 && (flags & FS_CASEFOLD_FL))
        return true;
    struct statfs fs {};
    if (::fstatfs(m_fd, &fs) == 0 && ignoresCaseByType(fs.f_type))
        return true;
    return std::nullopt;
}
