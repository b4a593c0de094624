// SPDX-License-Identifier: GPL-3.0-or-later
// Every test binary runs inside a QApplication on the offscreen platform, with
// its own settings database file and state folder so no test touches the
// user's settings.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QTemporaryDir settingsDir;
    qputenv("TOLVANE_REGISTRY", (settingsDir.path() + QStringLiteral("/registry.db")).toUtf8());
    // State files (the rename journal) stay out of the user's state folder too.
    qputenv("XDG_STATE_HOME", (settingsDir.path() + QStringLiteral("/state")).toUtf8());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
