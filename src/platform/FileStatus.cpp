// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileStatus.h"

#include "platform/FileNameCodec.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
FileTimes::Stamp stampOf(const struct statx_timestamp& t)
{
    return {qint64(t.tv_sec), qint32(t.tv_nsec)};
}

bool mayAccess(const QString& path, int what)
{
    return !path.isEmpty() &&
           faccessat(AT_FDCWD, EncodeFileName(path).constData(), what, AT_EACCESS) == 0;
}
} // namespace

bool FileStatus::isRegular() const
{
    return S_ISREG(mode);
}

bool FileStatus::isFolder() const
{
    return S_ISDIR(mode);
}

bool FileStatus::isLink() const
{
    return S_ISLNK(mode);
}

std::optional<FileStatus> ReadFileStatus(const QString& path, FollowLinks follow, int* error)
{
    if (path.isEmpty()) {
        if (error)
            *error = ENOENT;
        return std::nullopt;
    }
    struct statx st {};
    const int flags = AT_STATX_SYNC_AS_STAT | (follow == FollowLinks::No ? AT_SYMLINK_NOFOLLOW : 0);
    if (statx(AT_FDCWD, EncodeFileName(path).constData(), flags, STATX_BASIC_STATS | STATX_BTIME,
              &st) != 0) {
        if (error)
            *error = errno;
        return std::nullopt;
    }
    FileStatus status;
    status.mode = st.stx_mode;
    status.size = qint64(st.stx_size);
    status.allocated = qint64(st.stx_blocks) * 512;
    // The kernel clears the bit when it could not fill the birth time; some
    // file systems report exactly 0 when they never recorded one.
    if ((st.stx_mask & STATX_BTIME) && (st.stx_btime.tv_sec != 0 || st.stx_btime.tv_nsec != 0))
        status.birth = stampOf(st.stx_btime);
    status.access = stampOf(st.stx_atime);
    status.modification = stampOf(st.stx_mtime);
    status.compressed = (st.stx_attributes_mask & STATX_ATTR_COMPRESSED) &&
                        (st.stx_attributes & STATX_ATTR_COMPRESSED);
    return status;
}

bool IsRegularFile(const QString& path)
{
    const std::optional<FileStatus> status = ReadFileStatus(path);
    return status && status->isRegular();
}

bool IsFolder(const QString& path)
{
    const std::optional<FileStatus> status = ReadFileStatus(path);
    return status && status->isFolder();
}

bool MayWrite(const QString& path)
{
    return mayAccess(path, W_OK);
}

bool MayEnter(const QString& folder)
{
    return mayAccess(folder, R_OK | X_OK);
}
