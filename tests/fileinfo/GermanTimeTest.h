// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <ctime>

// Tests whose texts depend on the locale and the local time zone run under
// German and Central European time (a POSIX rule, so no zone database is needed).
class GermanTimeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        m_previousTz = qgetenv("TZ");
        qputenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3");
        tzset();
    }
    void TearDown() override
    {
        QLocale::setDefault(QLocale::c());
        if (m_previousTz.isNull())
            qunsetenv("TZ");
        else
            qputenv("TZ", m_previousTz);
        tzset();
    }

    static QDateTime utc(int y, int mo, int d, int h, int mi, int s)
    {
        return QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone::utc());
    }

private:
    QByteArray m_previousTz;
};
