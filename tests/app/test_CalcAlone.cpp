// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Startup.h"
#include "browser/frmAbout.h"
#include "browser/frmMain.h"
#include "calc/frmCalculator.h"
#include "core/AppGlobals.h"
#include "core/pOptions.h"
#include "support/ScriptedMessageBox.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
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
        EXPECT_TRUE(RunsAlone()) << option;
        QWidget* tool = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String(window))
                tool = w;
        }
        ASSERT_NE(tool, nullptr);
        // Escape closes the small calculators the way their close button does;
        // the tape calculator ignores it, and its "&Beenden" ends the run
        // instead of hiding the window.
        QTest::keyClick(tool, Qt::Key_Escape);
        if (auto* tape = qobject_cast<frmCalculator*>(tool)) {
            EXPECT_TRUE(tape->isVisible());
            tape->mFile_Quit->trigger();
        }
        EXPECT_FALSE(tool->isVisible()) << option;
        EXPECT_EQ(AppOptions(), nullptr) << option << ": shutting down released the options";
        finishUnloading();
        EXPECT_TRUE(openWindows().isEmpty()) << option;
    }
    EXPECT_EQ(boxes.count(), 0);
}

TEST(CalculatorsFromTheMainWindow, TheGreetingGoesAndClosingAToolLeavesTheMainWindow)
{
    ScriptedMessageBox boxes;
    Main({});
    // The main window comes with its greeting, which never takes the focus
    // and goes by itself (the single tools above have none).
    frmAbout* splash = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<frmAbout*>(w); found && found->isVisible())
            splash = found;
    }
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(splash->mode(), frmAbout::Mode::Splash);
    EXPECT_EQ(splash->lblStatus->text(), QStringLiteral("...  gleich geht´s los."));
    EXPECT_TRUE(
        QTest::qWaitFor([] { return qobject_cast<frmMain*>(QApplication::activeWindow()); }));
    EXPECT_TRUE(splash->isVisible());
    EXPECT_TRUE(QTest::qWaitFor(
        [] { return openWindows() == QStringList{QStringLiteral("frmMain")}; }, 5000));
    // Each calculator entry opens its window owned by this one (every entry's
    // window: test_ToolStates.cpp); closing it leaves the program running.
    auto* main = qobject_cast<frmMain*>(QApplication::activeWindow());
    ASSERT_NE(main, nullptr);
    QTimer::singleShot(0, [] {
        if (QWidget* tool = QApplication::activeModalWidget())
            tool->close();
    });
    main->findChild<QAction*>(QStringLiteral("mExtras_TimeCalc"))->trigger();
    EXPECT_NE(AppOptions(), nullptr);
    EXPECT_TRUE(main->isVisible());
    main->close();
    EXPECT_EQ(AppOptions(), nullptr);
    finishUnloading();
}
