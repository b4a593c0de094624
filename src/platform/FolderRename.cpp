// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FolderRename.h"

#include "platform/FileNameCodec.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
int Result(int rc)
{
    return rc == 0 ? 0 : errno;
}
} // namespace

int RenameCalls::RenameNoReplace(int dirFd, const char* from, const char* to)
{
    return Result(::renameat2(dirFd, from, dirFd, to, RENAME_NOREPLACE));
}

int RenameCalls::Link(int dirFd, const char* from, const char* to)
{
    return Result(::linkat(dirFd, from, dirFd, to, 0));
}

int RenameCalls::Unlink(int dirFd, const char* name)
{
    return Result(::unlinkat(dirFd, name, 0));
}

int RenameCalls::Rename(int dirFd, const char* from, const char* to)
{
    return Result(::renameat(dirFd, from, dirFd, to));
}

RenameCalls& RenameCalls::System()
{
    static RenameCalls calls;
    return calls;
}

FolderRename::FolderRename(const QString& folder, RenameCalls* calls)
    : m_calls(calls ? calls : &RenameCalls::System())
{
    m_fd = ::open(EncodeFileName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0) {
        m_openError = errno;
        return;
    }
    struct stat st {};
    if (::fstat(m_fd, &st) == 0)
        m_identity = {quint64(st.st_dev), quint64(st.st_ino)};
}

FolderRename::~FolderRename()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

int FolderRename::Move(const QByteArray& from, const QByteArray& to)
{
    if (m_fd < 0)
        return m_openError;
    const int rc = m_calls->RenameNoReplace(m_fd, from.constData(), to.constData());
    // EINVAL: the file system does not know the flag (older NFS, some FUSE
    // file systems); ENOSYS: the kernel does not know the call.
    if (rc != EINVAL && rc != ENOSYS)
        return rc;
    return MoveWithoutNoReplace(from, to);
}

int FolderRename::MoveWithoutNoReplace(const QByteArray& from, const QByteArray& to)
{
    // A hard link is refused for a taken name just as atomically; the old
    // name goes once the new one is there.
    int rc = m_calls->Link(m_fd, from.constData(), to.constData());
    if (rc == 0) {
        rc = m_calls->Unlink(m_fd, from.constData());
        if (rc != 0)
            m_calls->Unlink(m_fd, to.constData());
        return rc;
    }
    if (rc != EPERM && rc != EOPNOTSUPP && rc != EMLINK && rc != ENOSYS && rc != EINVAL)
        return rc;
    // No hard links either (FAT, some network shares): look, then rename.
    // Another program could create the name between the two; on such file
    // systems nothing narrower is to be had.
    struct stat st {};
    if (::fstatat(m_fd, to.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0)
        return EEXIST;
    if (errno != ENOENT)
        return errno;
    return m_calls->Rename(m_fd, from.constData(), to.constData());
}

int FolderRename::RemoveName(const QByteArray& name)
{
    return m_fd < 0 ? m_openError : m_calls->Unlink(m_fd, name.constData());
}

bool FolderRename::Identify(const QByteArray& name, FileIdentity& id) const
{
    struct stat st {};
    if (m_fd < 0 || ::fstatat(m_fd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    id = {quint64(st.st_dev), quint64(st.st_ino)};
    return true;
}

QList<QByteArray> FolderRename::Names() const
{
    QList<QByteArray> names;
    const int copy = m_fd < 0 ? -1 : ::dup(m_fd);
    if (copy < 0)
        return names;
    DIR* dir = ::fdopendir(copy);
    if (!dir) {
        ::close(copy);
        return names;
    }
    ::rewinddir(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const char* n = entry->d_name;
        if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0)))
            continue;
        names.append(QByteArray(n));
    }
    ::closedir(dir);
    return names;
}

int FolderRename::Sync() const
{
    return m_fd >= 0 && ::fsync(m_fd) != 0 ? errno : 0;
}
