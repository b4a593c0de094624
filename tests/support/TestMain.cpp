// SPDX-License-Identifier: GPL-3.0-or-later
// Every test binary runs inside a QApplication on the offscreen platform,
// under a German locale and Central European time, and every test gets a
// settings database of its own, so no test sees what another one stored and
// none touches the user's settings or state files.
#include "support/TestSettings.h"

#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ctime>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    // A POSIX rule, so no time zone database is needed.
    qputenv("TZ", QByteArrayLiteral("CET-1CEST,M3.5.0,M10.5.0/3"));
    tzset();
    // State files (the rename journal) stay out of the user's state folder.
    QTemporaryDir stateDir;
    qputenv("XDG_STATE_HOME", stateDir.path().toUtf8());
    QApplication app(argc, argv);
    // The environment's locale stays what it is (the C library and the child
    // processes see it); what the program formats follows this one.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ::testing::InitGoogleTest(&argc, argv);
    TestSettings::installPerTest();
    return RUN_ALL_TESTS();
}
