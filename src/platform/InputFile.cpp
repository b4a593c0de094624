// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/InputFile.h"

#include "platform/FileNameCodec.h"
#include "platform/SystemError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <limits>

namespace {
constexpr quint64 kReadBlock = 1 << 20;
}

InputFile::~InputFile()
{
    close();
}

bool InputFile::fail(int code)
{
    m_error = code;
    return false;
}

bool InputFile::open(const QString& path, ReadAccess access)
{
    close();
    m_error = 0;
    m_type = 0;
    const int fd = OpenNativeFile(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, access);
    if (fd < 0)
        return fail(errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int code = S_ISREG(st.st_mode) ? errno : NotRegular;
        m_type = st.st_mode;
        ::close(fd);
        return fail(code);
    }
    m_fd = fd;
    m_size = quint64(st.st_size);
    return true;
}

void InputFile::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_size = 0;
}

bool InputFile::readAt(quint64 offset, char* into, quint64 length)
{
    if (m_fd < 0)
        return fail(EBADF);
    while (length > 0) {
        const ssize_t got =
            ::pread(m_fd, into, size_t(std::min(length, kReadBlock)), off_t(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return fail(errno);
        if (got == 0)
            return fail(Shrunk);
        into += got;
        offset += quint64(got);
        length -= quint64(got);
    }
    return true;
}

std::optional<QByteArray> InputFile::readAt(quint64 offset, quint64 length)
{
    if (length > quint64(std::numeric_limits<qsizetype>::max()) / 2) {
        fail(TooLarge);
        return std::nullopt;
    }
    QByteArray bytes(qsizetype(length), Qt::Uninitialized);
    if (!readAt(offset, bytes.data(), length))
        return std::nullopt;
    return bytes;
}

std::optional<qsizetype> InputFile::readSome(quint64 offset, char* into, quint64 length)
{
    if (m_fd < 0) {
        fail(EBADF);
        return std::nullopt;
    }
    while (true) {
        const ssize_t got =
            ::pread(m_fd, into, size_t(std::min(length, kReadBlock * 64)), off_t(offset));
        if (got >= 0)
            return qsizetype(got);
        if (errno != EINTR) {
            fail(errno);
            return std::nullopt;
        }
    }
}

std::optional<QByteArray> InputFile::readAll(quint64 cap)
{
    QByteArray bytes;
    // The size at opening is a good guess, never a promise.
    bytes.reserve(qsizetype(std::min(m_size, cap) + 1));
    quint64 total = 0;
    while (true) {
        const quint64 room = std::min(kReadBlock, cap + 1 - total);
        bytes.resize(qsizetype(total + room));
        const std::optional<qsizetype> got = readSome(total, bytes.data() + total, room);
        if (!got)
            return std::nullopt;
        total += quint64(*got);
        if (total > cap) {
            fail(TooLarge);
            return std::nullopt;
        }
        if (*got == 0)
            break;
    }
    bytes.resize(qsizetype(total));
    return bytes;
}

QString InputFile::errorText() const
{
    switch (m_error) {
    case NotRegular:
        return QStringLiteral("keine gewöhnliche Datei, sondern %1").arg(FileKindText(m_type));
    case Shrunk:
        return QStringLiteral("die Datei wurde während des Lesens gekürzt");
    case TooLarge:
        return QStringLiteral("die Datei ist zu groß");
    default:
        return SystemErrorText(m_error);
    }
}
