// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileTimes.h"

#include "platform/FileNameCodec.h"
#include "platform/FileStatus.h"

#include <fcntl.h>
#include <sys/stat.h>

std::optional<FileTimes::Stamp> FileTimes::read(const QString& path, Which which)
{
    const std::optional<FileStatus> status = ReadFileStatus(path);
    if (!status)
        return std::nullopt;
    switch (which) {
    case Birth:
        return status->birth;
    case Access:
        return status->access;
    case Modification:
        return status->modification;
    }
    return std::nullopt;
}

bool FileTimes::write(const QString& path, Which which, const Stamp& stamp)
{
    if (which == Birth || path.isEmpty())
        return false;
    if (stamp.nanoseconds < 0 || stamp.nanoseconds > 999999999)
        return false;
    struct timespec times[2];
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_nsec = UTIME_OMIT;
    struct timespec& target = times[which == Access ? 0 : 1];
    target.tv_sec = time_t(stamp.seconds);
    target.tv_nsec = stamp.nanoseconds;
    return utimensat(AT_FDCWD, EncodeFileName(path).constData(), times, 0) == 0;
}

QDateTime FileTimes::toLocal(const Stamp& stamp)
{
    // Far beyond any calendar a user meets; also keeps the product in range.
    constexpr qint64 kLimit = qint64(1) << 50;
    if (stamp.seconds > kLimit || stamp.seconds < -kLimit)
        return {};
    return QDateTime::fromMSecsSinceEpoch(stamp.seconds * 1000 + stamp.nanoseconds / 1000000,
                                          Qt::LocalTime);
}

FileTimes::Stamp FileTimes::fromDateTime(const QDateTime& value)
{
    const qint64 ms = value.toMSecsSinceEpoch();
    // Floor division keeps the nanoseconds positive for times before 1970.
    qint64 seconds = ms / 1000;
    qint64 rest = ms % 1000;
    if (rest < 0) {
        rest += 1000;
        --seconds;
    }
    return {seconds, qint32(rest * 1000000)};
}
