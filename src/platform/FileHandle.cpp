// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileHandle.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace {
constexpr qint64 kPlainBlock = 256 * 1024;

int regularOnly(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return errno;
    return S_ISREG(st.st_mode) ? 0 : EINVAL;
}

bool writeAll(int fd, const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t done = ::write(fd, data, size_t(size));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0) {
            if (done == 0)
                errno = EIO;
            return false;
        }
        data += done;
        size -= done;
    }
    return true;
}
} // namespace

FileHandle::~FileHandle()
{
    close();
}

void FileHandle::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_plainCopy = false;
}

int FileHandle::openRead(const FolderHandle& folder, const QByteArray& name)
{
    close();
    const int fd = ::openat(folder.fd(), name.constData(),
                            O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    if (const int code = regularOnly(fd)) {
        ::close(fd);
        return code;
    }
    m_fd = fd;
    return 0;
}

int FileHandle::createLocked(const FolderHandle& folder, const QByteArray& name)
{
    close();
    const int fd = ::openat(folder.fd(), name.constData(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int code = errno;
        ::close(fd);
        ::unlinkat(folder.fd(), name.constData(), 0);
        return code;
    }
    m_fd = fd;
    return 0;
}

int FileHandle::lockExisting(const FolderHandle& folder, const QByteArray& name)
{
    const int code = openRead(folder, name);
    if (code != 0)
        return code;
    return ::flock(m_fd, LOCK_EX | LOCK_NB) == 0 ? 0 : errno;
}

int FileHandle::stat(EntryStat& out) const
{
    struct stat st {};
    if (::fstat(m_fd, &st) != 0)
        return errno;
    out = EntryStat::From(st);
    return 0;
}

qint64 FileHandle::copyFrom(const FileHandle& source, qint64 offset, qint64 length)
{
    if (!m_plainCopy) {
        loff_t from = offset;
        const ssize_t done =
            ::copy_file_range(source.m_fd, &from, m_fd, nullptr, size_t(length), 0);
        if (done >= 0)
            return done;
        // Older kernels and some file systems cannot; the bytes go the plain way.
        if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
            return -errno;
        m_plainCopy = true;
    }
    if (m_buffer.isEmpty())
        m_buffer.resize(kPlainBlock);
    const qint64 got = source.readAt(offset, m_buffer.data(), std::min(length, kPlainBlock));
    if (got <= 0)
        return got;
    return writeAll(m_fd, m_buffer.constData(), got) ? got : -errno;
}

qint64 FileHandle::readAt(qint64 offset, char* into, qint64 length) const
{
    while (true) {
        const ssize_t got = ::pread(m_fd, into, size_t(length), off_t(offset));
        if (got >= 0)
            return got;
        if (errno != EINTR)
            return -errno;
    }
}

int FileHandle::copyModeAndTime(const EntryStat& from)
{
    if (::fchmod(m_fd, from.mode & 07777) != 0)
        return errno;
    const timespec times[2] = {{0, UTIME_OMIT}, {from.mtimeSec, from.mtimeNsec}};
    return ::futimens(m_fd, times) == 0 ? 0 : errno;
}

int FileHandle::sync()
{
    if (::fsync(m_fd) == 0 || errno == EINVAL || errno == EOPNOTSUPP)
        return 0;
    return errno;
}
