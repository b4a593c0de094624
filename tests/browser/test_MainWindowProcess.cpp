// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppSettings.h"
#include "support/TempDir.h"

#include <QProcess>

#include <gtest/gtest.h>

// A damaged picture as the first file of the start folder once held the
// start behind an error box asked before any window existed.
TEST(MainWindowProcess, ADamagedFirstPictureDoesNotHoldTheStart)
{
    TempDir dir;
    dir.writeFile(QStringLiteral("a.jpg"));
    dir.writeFile(QStringLiteral("b.txt"), "Text");
    AppSaveSetting(akOptions, QStringLiteral("StartupPath"), dir.path());

    QProcess tolvane;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("TOLVANE_TEST_CLOSE_AFTER_MS"), QStringLiteral("500"));
    tolvane.setProcessEnvironment(env);
    tolvane.start(QStringLiteral(TOLVANE_BINARY), QStringList());
    ASSERT_TRUE(tolvane.waitForFinished(30000)) << "the process is still running";
    EXPECT_EQ(tolvane.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(tolvane.exitCode(), 0) << tolvane.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(tolvane.readAllStandardOutput()).trimmed(),
              QStringLiteral("window: frmMain"));
}
