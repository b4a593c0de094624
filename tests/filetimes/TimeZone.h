// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <cstdlib>
#include <ctime>

// Another time zone (a name of the time zone database) for one scope.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone) : m_previous(qgetenv("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~ScopedTimeZone()
    {
        qputenv("TZ", m_previous);
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    QByteArray m_previous;
};
