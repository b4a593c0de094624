// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <optional>

// The three times of a file or folder, in UTC with nanoseconds, as the kernel
// keeps them. Symbolic links are followed, so a link stands for its target
// (as touch does); a link to nothing fails. Nothing is opened or read: the
// times are asked for and set by name.
class FileTimes {
public:
    enum Which { Birth = 0, Access = 1, Modification = 2 };

    struct Stamp {
        qint64 seconds = 0;     // since 1970-01-01 00:00 UTC
        qint32 nanoseconds = 0; // 0..999999999
        bool operator==(const Stamp&) const = default;
    };

    // Empty when the entry is missing or (birth time) the file system keeps
    // none; errno tells why.
    static std::optional<Stamp> read(const QString& path, Which which);
    // Sets the given times in one call and leaves an absent one as it is.
    // False with errno set on any refusal.
    static bool write(const QString& path, std::optional<Stamp> access,
                      std::optional<Stamp> modification);
    // Sets one time and leaves the other two as they are. The birth time
    // cannot be set on Linux: that request fails with EOPNOTSUPP.
    static bool write(const QString& path, Which which, const Stamp& stamp);

    // Conversions at this boundary: the program works in local time.
    static QDateTime toLocal(const Stamp& stamp);
    static Stamp fromDateTime(const QDateTime& value);
    // The moment the local clock shows `date` `time`. A time the clock
    // skipped counts as if it had not jumped (02:30 on the day summer time
    // starts is 03:30 summer time); a time it showed twice is its first
    // occurrence. Empty for dates the system cannot convert.
    static std::optional<Stamp> fromWallClock(const QDate& date, const QTime& time);
    // The local calendar date at a moment; invalid when it cannot be converted.
    static QDate localDate(const Stamp& stamp);
};
