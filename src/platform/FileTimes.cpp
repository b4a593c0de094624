// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileTimes.h"

#include "platform/FileNameCodec.h"
#include "platform/FileStatus.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace {
// Far beyond any calendar a user meets; also keeps the products in range.
constexpr qint64 kLimit = qint64(1) << 50;
constexpr qint64 kDay = 86400;

bool validStamp(const FileTimes::Stamp& stamp)
{
    return stamp.nanoseconds >= 0 && stamp.nanoseconds <= 999999999 && stamp.seconds < kLimit &&
           stamp.seconds > -kLimit;
}

struct timespec timespecOf(const std::optional<FileTimes::Stamp>& stamp)
{
    struct timespec t {};
    if (!stamp) {
        t.tv_nsec = UTIME_OMIT;
        return t;
    }
    t.tv_sec = time_t(stamp->seconds);
    t.tv_nsec = stamp->nanoseconds;
    return t;
}

// The local clock's distance from UTC at a moment, in seconds.
std::optional<qint64> utcOffsetAt(qint64 seconds)
{
    const time_t at = time_t(seconds);
    struct tm local {};
    if (!localtime_r(&at, &local))
        return std::nullopt;
    return qint64(local.tm_gmtoff);
}
} // namespace

std::optional<FileTimes::Stamp> FileTimes::read(const QString& path, Which which)
{
    const std::optional<FileStatus> status = ReadFileStatus(path);
    if (!status)
        return std::nullopt;
    switch (which) {
    case Birth:
        // The file system keeps none on this volume.
        if (!status->birth)
            errno = EOPNOTSUPP;
        return status->birth;
    case Access:
        return status->access;
    case Modification:
        return status->modification;
    }
    return std::nullopt;
}

bool FileTimes::write(const QString& path, std::optional<Stamp> access,
                      std::optional<Stamp> modification)
{
    if (path.isEmpty() || (!access && !modification) || (access && !validStamp(*access)) ||
        (modification && !validStamp(*modification))) {
        errno = path.isEmpty() ? ENOENT : EINVAL;
        return false;
    }
    const struct timespec times[2] = {timespecOf(access), timespecOf(modification)};
    return utimensat(AT_FDCWD, EncodeFileName(path).constData(), times, 0) == 0;
}

bool FileTimes::write(const QString& path, Which which, const Stamp& stamp)
{
    if (which == Birth) {
        errno = EOPNOTSUPP;
        return false;
    }
    if (which == Access)
        return write(path, stamp, std::nullopt);
    return write(path, std::nullopt, stamp);
}

QDateTime FileTimes::toLocal(const Stamp& stamp)
{
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

std::optional<FileTimes::Stamp> FileTimes::fromWallClock(const QDate& date, const QTime& time)
{
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    // The wall clock read as if it were UTC; the moment lies within a day of it.
    const qint64 naive = QDateTime(date, QTime(0, 0), Qt::UTC).toSecsSinceEpoch() +
                         time.msecsSinceStartOfDay() / 1000;
    if (naive > kLimit || naive < -kLimit)
        return std::nullopt;
    // Time zones change their offset at most once within a day either side,
    // so the offsets a day before and after are the only candidates.
    const auto before = utcOffsetAt(naive - kDay);
    const auto after = utcOffsetAt(naive + kDay);
    if (!before || !after)
        return std::nullopt;
    std::optional<qint64> first;
    for (const qint64 offset : {*before, *after}) {
        const qint64 candidate = naive - offset;
        const auto actual = utcOffsetAt(candidate);
        if (actual && candidate + *actual == naive)
            first = first ? std::min(*first, candidate) : candidate;
    }
    // No moment shows this time: the clock jumped over it. Counted with the
    // offset before the jump, it lands as far past the jump as it lay past
    // its start.
    return Stamp{first.value_or(naive - *before), 0};
}

QDate FileTimes::localDate(const Stamp& stamp)
{
    if (stamp.seconds > kLimit || stamp.seconds < -kLimit)
        return {};
    const time_t at = time_t(stamp.seconds);
    struct tm local {};
    if (!localtime_r(&at, &local))
        return {};
    return QDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}
