// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SafeFileWriter.h"

#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "platform/FileNameCodec.h"
#include "platform/SystemError.h"

#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace {
const QString kSource = QStringLiteral("SafeFileWriter");
constexpr qsizetype kBufferSize = 64 * 1024;

// Paths that name an open descriptor of this process (standard output
// above all): whatever they lead to is written where it is.
bool namesOpenDescriptor(const QByteArray& path)
{
    return path.startsWith("/dev/std") || path.startsWith("/dev/fd/") || path.startsWith("/proc/");
}

QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

bool writeAll(int fd, const char* data, qsizetype size, int& code)
{
    while (size > 0) {
        const ssize_t done = ::write(fd, data, size_t(size));
        if (done < 0 && errno == EINTR)
            continue;
        if (done < 0) {
            code = errno;
            return false;
        }
        data += done;
        size -= done;
    }
    return true;
}

// A rename that refuses to replace anything, links and dangling links
// included. Where the file system lacks RENAME_NOREPLACE, link() gives the
// same promise.
int renameNoReplace(const QByteArray& from, const QByteArray& to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    if (::link(from.constData(), to.constData()) != 0)
        return errno;
    ::unlink(from.constData());
    return 0;
}

void syncFolder(const QByteArray& folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    // The rename is done; a folder that cannot be synced (some network file
    // systems) still holds it.
    ::fsync(fd);
    ::close(fd);
}
} // namespace

SafeFileWriter::SafeFileWriter(QString path, Mode mode) : m_path(std::move(path)), m_mode(mode) {}

SafeFileWriter::~SafeFileWriter()
{
    abort();
}

bool SafeFileWriter::IsStandardOutput(const QString& path)
{
    return path == QLatin1String("-");
}

QString SafeFileWriter::ShownName(const QString& path)
{
    return IsStandardOutput(path) ? QStringLiteral("Standardausgabe") : DisplayFileName(path);
}

void SafeFileWriter::WriteFile(const QString& path, QByteArrayView bytes, Mode mode)
{
    SafeFileWriter writer(path, mode);
    writer.open();
    writer.write(bytes);
    writer.commit();
}

void SafeFileWriter::open()
{
    if (m_kind != Target::None)
        return;
    if (IsStandardOutput(m_path)) {
        std::fflush(stdout); // what the program printed before comes first
        m_fd = STDOUT_FILENO;
        m_ownFd = false;
        m_kind = Target::InPlace;
        return;
    }
    const QByteArray native = EncodeFileName(m_path);
    if (native.isEmpty())
        fail(ENOENT);
    openTarget(native);
}

void SafeFileWriter::openTarget(const QByteArray& native)
{
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0) {
        if (errno != ENOENT)
            fail(errno);
        m_target = native;
        createTemporary(native, 0, false);
        return;
    }
    if (m_mode == Mode::NoReplace)
        fail(EEXIST);
    QByteArray target = native;
    if (S_ISLNK(st.st_mode) && !namesOpenDescriptor(native)) {
        char resolved[PATH_MAX];
        if (::stat(native.constData(), &st) != 0 || !::realpath(native.constData(), resolved))
            fail(ENOENT, QStringLiteral("sie ist eine Verknüpfung auf ein nicht vorhandenes Ziel"));
        target = QByteArray(resolved);
    } else if (S_ISLNK(st.st_mode) && ::stat(native.constData(), &st) != 0) {
        fail(errno);
    }
    if (S_ISREG(st.st_mode) && !namesOpenDescriptor(native)) {
        m_target = target;
        m_ownerUid = st.st_uid;
        m_ownerGid = st.st_gid;
        m_keepOwner = st.st_uid != ::geteuid() || st.st_gid != ::getegid();
        createTemporary(target, st.st_mode, true);
        return;
    }
    if (S_ISDIR(st.st_mode))
        fail(EISDIR);
    if (!S_ISREG(st.st_mode) && !S_ISFIFO(st.st_mode) && !S_ISCHR(st.st_mode))
        fail(EINVAL, QStringLiteral("das Ziel ist %1").arg(FileKindText(st.st_mode)));
    const int truncate = S_ISREG(st.st_mode) ? O_TRUNC : 0;
    m_fd = ::open(native.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC | truncate);
    if (m_fd < 0)
        fail(errno);
    m_kind = Target::InPlace;
    m_syncInPlace = S_ISREG(st.st_mode);
}

void SafeFileWriter::createTemporary(const QByteArray& target, unsigned mode, bool keepMode)
{
    const QByteArray folder = folderOf(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = folder + "/.tolvane-" +
                                QByteArray::number(QRandomGenerator::global()->generate64(), 36) +
                                ".tmp";
        // A new file gets the usual 0666 less the umask; a replaced one its own bits.
        const int fd =
            ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                   keepMode ? 0600 : 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            fail(errno);
        m_fd = fd;
        m_temp = name;
        m_kind = Target::Temporary;
        if (keepMode) {
            ::fchmod(fd, mode & 07777);
            if (m_keepOwner && ::fchown(fd, m_ownerUid, m_ownerGid) != 0)
                ::fchmod(fd, mode & 0777); // no set-id bits for another owner
        }
        return;
    }
    fail(EEXIST);
}

void SafeFileWriter::write(QByteArrayView bytes)
{
    if (m_kind == Target::None)
        fail(EBADF);
    if (m_buffer.size() + bytes.size() <= kBufferSize) {
        m_buffer.append(bytes);
        return;
    }
    flush();
    if (bytes.size() >= kBufferSize) {
        int code = 0;
        if (!writeAll(m_fd, bytes.data(), bytes.size(), code))
            fail(code);
    } else {
        m_buffer.append(bytes);
    }
}

void SafeFileWriter::flush()
{
    int code = 0;
    if (!m_buffer.isEmpty() && !writeAll(m_fd, m_buffer.constData(), m_buffer.size(), code))
        fail(code);
    m_buffer.clear();
}

void SafeFileWriter::commit()
{
    if (m_kind == Target::None)
        fail(EBADF);
    flush();
    if (m_kind == Target::Temporary) {
        finishTemporary();
    } else {
        // Pipes and terminals cannot be synced and need not be.
        if (m_syncInPlace && ::fsync(m_fd) != 0 && errno != EINVAL)
            fail(errno);
        if (m_ownFd) {
            const int fd = std::exchange(m_fd, -1);
            if (::close(fd) != 0 && errno != EINTR)
                fail(errno);
        }
    }
    m_fd = -1;
    m_kind = Target::None;
}

void SafeFileWriter::setModificationTime(qint64 seconds, qint32 nanoseconds)
{
    m_mtimeSeconds = seconds;
    m_mtimeNanoseconds = nanoseconds;
}

void SafeFileWriter::finishTemporary()
{
    if (m_permissions >= 0 && ::fchmod(m_fd, mode_t(m_permissions)) != 0)
        fail(errno);
    if (m_mtimeNanoseconds >= 0) {
        const struct timespec times[2] = {{0, UTIME_OMIT},
                                          {time_t(m_mtimeSeconds), m_mtimeNanoseconds}};
        if (::futimens(m_fd, times) != 0)
            fail(errno);
    }
    // A file system without fsync (EINVAL) has taken the bytes with write();
    // any other failure means they may not be on the disk.
    if (::fsync(m_fd) != 0 && errno != EINVAL && errno != EOPNOTSUPP)
        fail(errno);
    const int fd = std::exchange(m_fd, -1);
    if (::close(fd) != 0 && errno != EINTR)
        fail(errno);
    if (m_mode == Mode::Replace) {
        if (::rename(m_temp.constData(), m_target.constData()) != 0)
            fail(errno);
    } else if (const int code = renameNoReplace(m_temp, m_target)) {
        fail(code);
    }
    m_temp.clear();
    syncFolder(folderOf(m_target));
}

void SafeFileWriter::abort() noexcept
{
    if (m_fd >= 0 && m_ownFd)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temp.isEmpty())
        ::unlink(m_temp.constData());
    m_temp.clear();
    m_buffer.clear();
    m_kind = Target::None;
}

void SafeFileWriter::fail(int code, const QString& reason)
{
    abort();
    const QString shown = ShownName(m_path);
    const QString text =
        code == EEXIST && reason.isEmpty()
            ? cuAppError::MsgParse(MessageTable::text(Msg::TargetExists), shown)
            : cuAppError::MsgParse(MessageTable::text(Msg::FileWriteFailed), shown,
                                   reason.isEmpty() ? SystemErrorText(code) : reason);
    throw AppErrorRecord(RuntimeError::FromErrno(code), kSource, text);
}
