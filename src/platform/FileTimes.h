// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// The three times of a file or folder, in UTC with nanoseconds, as the kernel
// keeps them. Symbolic links are followed, so a link stands for its target.
class FileTimes {
public:
    enum Which { Birth = 0, Access = 1, Modification = 2 };

    struct Stamp {
        qint64 seconds = 0;     // since 1970-01-01 00:00 UTC
        qint32 nanoseconds = 0; // 0..999999999
        bool operator==(const Stamp&) const = default;
    };

    // Empty when the entry is missing or (birth time) the file system keeps none.
    static std::optional<Stamp> read(const QString& path, Which which);
    // Sets one time and leaves the other two as they are. The birth time cannot
    // be set on Linux: that request fails. False on any refusal.
    static bool write(const QString& path, Which which, const Stamp& stamp);

    // Conversions at this boundary: the program works in local time.
    static QDateTime toLocal(const Stamp& stamp);
    static Stamp fromDateTime(const QDateTime& value);
};
