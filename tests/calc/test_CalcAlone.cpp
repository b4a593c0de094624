// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Startup.h"
#include "browser/frmMain.h"
#include "calc/frmCalculator.h"
#include "core/AppGlobals.h"
#include "core/pOptions.h"
#include "support/ScriptedMessageBox.h"

#include <QAction>
#include <QApplication>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {
// The visible top-level windows by name.
QStringList openWindows()
{
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->windowType() != Qt::Popup && w->windowType() != Qt::ToolTip)
            names << w->objectName();
    }
    return names;
}

void finishUnloading()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
} // namespace

TEST(CalculatorsAlone, EachSwitchOpensOneWindowAndClosingItEndsTheRun)
{
    ScriptedMessageBox boxes;
    const std::pair<const char*, const char*> runs[] = {
        {"/calc", "frmCalculator"}, {"/TIMECALC", "frmTimeCalc"}, {"/ICalc", "frmInterestCalc"}};
    for (const auto& [option, window] : runs) {
        Main({QString::fromUtf8(option)});
        ASSERT_EQ(openWindows(), QStringList{QString::fromUtf8(window)}) << option;
        ASSERT_NE(AppOptions(), nullptr);
        EXPECT_TRUE(AppOptions()->StartedByCmdLine);
        QWidget* tool = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String(window))
                tool = w;
        }
        ASSERT_NE(tool, nullptr);
        // Escape closes the small calculators the way their close button does;
        // the tape calculator ignores it.
        const bool tape = tool->objectName() == QLatin1String("frmCalculator");
        QTest::keyClick(tool, Qt::Key_Escape);
        EXPECT_EQ(tool->isVisible(), tape) << option;
        if (tape)
            tool->close();
        EXPECT_EQ(AppOptions(), nullptr) << option << ": shutting down released the options";
        finishUnloading();
        EXPECT_TRUE(openWindows().isEmpty()) << option;
    }
    EXPECT_EQ(boxes.count(), 0);
}

TEST(CalculatorsAlone, QuitEndsTheRunInsteadOfHiding)
{
    ScriptedMessageBox boxes;
    Main({QStringLiteral("/Calc")});
    frmCalculator* calc = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<frmCalculator*>(w))
            calc = found;
    }
    ASSERT_NE(calc, nullptr);
    calc->mFile_Quit->trigger();
    EXPECT_EQ(AppOptions(), nullptr);
    finishUnloading();
    EXPECT_TRUE(openWindows().isEmpty());
}

TEST(CalculatorsFromTheMainWindow, ClosingTheToolLeavesTheMainWindow)
{
    ScriptedMessageBox boxes;
    Main({});
    ASSERT_EQ(openWindows(), QStringList{QStringLiteral("frmMain")});
    frmMain* main = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<frmMain*>(w))
            main = found;
    }
    ASSERT_NE(main, nullptr);
    for (const char* name : {"mExtras_Calc", "mExtras_TimeCalc", "mExtras_InterestCalc"}) {
        QAction* entry = main->findChild<QAction*>(QLatin1String(name));
        ASSERT_NE(entry, nullptr) << name;
        QString shown;
        QWidget* owner = nullptr;
        QTimer::singleShot(0, [&] {
            QWidget* tool = QApplication::activeModalWidget();
            if (!tool)
                return;
            shown = tool->objectName();
            owner = tool->parentWidget();
            tool->close();
        });
        entry->trigger();
        EXPECT_FALSE(shown.isEmpty())
            << entry->objectName().toStdString() << " opened no modal window";
        EXPECT_EQ(owner, main);
        EXPECT_NE(AppOptions(), nullptr) << shown.toStdString();
        EXPECT_TRUE(main->isVisible());
    }
    main->close();
    EXPECT_EQ(AppOptions(), nullptr);
    finishUnloading();
}

TEST(CalculatorsAlone, ProcessEndsWhenTheCalculatorCloses)
{
    QProcess tolvane;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("TOLVANE_TEST_CLOSE_AFTER_MS"), QStringLiteral("200"));
    tolvane.setProcessEnvironment(env);
    tolvane.start(QStringLiteral(TOLVANE_BINARY), {QStringLiteral("/calc")});
    ASSERT_TRUE(tolvane.waitForFinished(30000)) << "the process is still running";
    EXPECT_EQ(tolvane.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(tolvane.exitCode(), 0) << tolvane.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(tolvane.readAllStandardOutput()).trimmed(),
              QStringLiteral("window: frmCalculator"));
}
