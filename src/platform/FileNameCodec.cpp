// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileNameCodec.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr char16_t kRawBase = 0xDC00;

bool isRawByteMark(char16_t c)
{
    return c >= kRawBase + 0x80 && c <= kRawBase + 0xFF;
}

bool isContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

// Length of the well-formed UTF-8 sequence at `at` (Unicode table 3-7), or 0.
int sequenceLength(const unsigned char* p, qsizetype left)
{
    const unsigned char c = p[0];
    if (c < 0x80)
        return 1;
    int length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        if (c == 0xE0)
            low = 0xA0;
        else if (c == 0xED)
            high = 0x9F; // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        if (c == 0xF0)
            low = 0x90;
        else if (c == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (left < length || p[1] < low || p[1] > high)
        return 0;
    for (int i = 2; i < length; ++i) {
        if (!isContinuation(p[i]))
            return 0;
    }
    return length;
}
} // namespace

bool IsUtf8FileName(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size;) {
        if (p[i] < 0x80) {
            ++i;
            continue;
        }
        const int length = sequenceLength(p + i, size - i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

QString DecodeFileName(const QByteArray& bytes)
{
    if (IsUtf8FileName(bytes))
        return QString::fromUtf8(bytes);
    QString name;
    name.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size;) {
        const int length = sequenceLength(p + i, size - i);
        if (length == 0) {
            name.append(QChar(char16_t(kRawBase + p[i])));
            ++i;
            continue;
        }
        name.append(QString::fromUtf8(reinterpret_cast<const char*>(p + i), length));
        i += length;
    }
    return name;
}

bool HasRawBytes(const QString& name)
{
    for (QChar c : name) {
        if (isRawByteMark(c.unicode()))
            return true;
    }
    return false;
}

QByteArray EncodeFileName(const QString& name)
{
    if (!HasRawBytes(name))
        return name.toUtf8();
    QByteArray bytes;
    bytes.reserve(name.size() * 3);
    qsizetype runStart = 0;
    for (qsizetype i = 0; i <= name.size(); ++i) {
        if (i < name.size() && !isRawByteMark(name.at(i).unicode()))
            continue;
        bytes += QStringView(name).mid(runStart, i - runStart).toUtf8();
        if (i < name.size())
            bytes += char(name.at(i).unicode() - kRawBase);
        runStart = i + 1;
    }
    return bytes;
}

QString DisplayFileName(const QString& name)
{
    if (!HasRawBytes(name))
        return name;
    QString shown = name;
    for (QChar& c : shown) {
        if (isRawByteMark(c.unicode()))
            c = QChar(QChar::ReplacementCharacter);
    }
    return shown;
}

int OpenNativeFile(const QString& path, int flags, ReadAccess access)
{
    const QByteArray native = EncodeFileName(path);
    if (access == ReadAccess::KeepAccessTime) {
        const int fd = ::open(native.constData(), flags | O_NOATIME);
        // Another user's file refuses O_NOATIME; it is read all the same.
        if (fd >= 0 || errno != EPERM)
            return fd;
    }
    return ::open(native.constData(), flags);
}

bool OpenFileByName(QFile& file, const QString& path, QIODevice::OpenMode mode, ReadAccess access)
{
    int flags = O_CLOEXEC;
    if ((mode & QIODevice::ReadWrite) == QIODevice::ReadWrite)
        flags |= O_RDWR;
    else if (mode & QIODevice::WriteOnly)
        flags |= O_WRONLY;
    else
        flags |= O_RDONLY;
    const int fd = OpenNativeFile(path, flags, access);
    if (fd < 0)
        return false;
    if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        const int saved = errno;
        ::close(fd);
        errno = saved;
        return false;
    }
    return true;
}
