// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WalkFolder.h"

#include "platform/FileNameCodec.h"

#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOCTTY;

WalkFolder::Entry entryOf(const struct stat& st)
{
    WalkFolder::Entry entry;
    entry.mode = st.st_mode;
    entry.device = quint64(st.st_dev);
    entry.inode = quint64(st.st_ino);
    entry.links = quint64(st.st_nlink);
    entry.size = qint64(st.st_size);
    entry.allocated = qint64(st.st_blocks) * 512;
    return entry;
}

void setError(int* error, int value)
{
    if (error)
        *error = value;
}
} // namespace

bool WalkFolder::Entry::isRegular() const
{
    return S_ISREG(mode);
}

bool WalkFolder::Entry::isFolder() const
{
    return S_ISDIR(mode);
}

WalkFolder::~WalkFolder()
{
    close();
}

WalkFolder::WalkFolder(WalkFolder&& other) noexcept
    : m_dir(std::exchange(other.m_dir, nullptr)), m_entry(std::exchange(other.m_entry, nullptr)),
      m_self(other.m_self)
{
}

WalkFolder& WalkFolder::operator=(WalkFolder&& other) noexcept
{
    if (this != &other) {
        close();
        m_dir = std::exchange(other.m_dir, nullptr);
        m_entry = std::exchange(other.m_entry, nullptr);
        m_self = other.m_self;
    }
    return *this;
}

void WalkFolder::close()
{
    if (m_dir)
        closedir(m_dir);
    m_dir = nullptr;
    m_entry = nullptr;
}

bool WalkFolder::adopt(int fd, const Entry* expected, int* error)
{
    close();
    if (fd < 0) {
        setError(error, errno);
        return false;
    }
    struct stat st;
    if (fstat(fd, &st) != 0) {
        setError(error, errno);
        ::close(fd);
        return false;
    }
    m_self = entryOf(st);
    if (expected && !m_self.sameAs(*expected)) {
        // Replaced between the look and the open: not the folder we counted.
        ::close(fd);
        setError(error, ENOENT);
        return false;
    }
    m_dir = fdopendir(fd);
    if (!m_dir) {
        setError(error, errno);
        ::close(fd);
        return false;
    }
    return true;
}

bool WalkFolder::open(const QString& path, int* error)
{
    return adopt(::open(EncodeFileName(path).constData(), kFolderFlags), nullptr, error);
}

bool WalkFolder::openChild(const WalkFolder& parent, const char* name, const Entry& expected,
                           int* error)
{
    return adopt(openat(dirfd(parent.m_dir), name, kFolderFlags | O_NOFOLLOW), &expected, error);
}

bool WalkFolder::openParent(const WalkFolder& child, const Entry& expected, int* error)
{
    return adopt(openat(dirfd(child.m_dir), "..", kFolderFlags), &expected, error);
}

bool WalkFolder::next(int* error)
{
    setError(error, 0);
    if (!m_dir)
        return false;
    errno = 0;
    while ((m_entry = readdir(m_dir)) != nullptr) {
        const char* n = m_entry->d_name;
        if (!(n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0'))))
            return true;
    }
    setError(error, errno);
    return false;
}

bool WalkFolder::look(const char* name, Entry& entry, int* error) const
{
    struct stat st;
    if (fstatat(dirfd(m_dir), name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
        setError(error, errno);
        return false;
    }
    entry = entryOf(st);
    return true;
}
