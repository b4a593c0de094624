// SPDX-License-Identifier: GPL-3.0-or-later
// Every test binary runs inside a QApplication on the offscreen platform, with
// its own settings database file so no test touches the user's settings.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QTemporaryDir settingsDir;
    qputenv("TOLVANE_REGISTRY", (settingsDir.path() + QStringLiteral("/registry.db")).toUtf8());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
