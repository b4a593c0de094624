// SPDX-License-Identifier: GPL-3.0-or-later
// Every window's title reads exactly as the program gives it, and the desktop
// gets that same text with nothing of the program's name appended.
#include "app/Startup.h"
#include "app/frmOptions.h"
#include "browser/frmAbout.h"
#include "browser/frmMain.h"
#include "browser/frmMainMasks.h"
#include "browser/frmMainMasksEdit.h"
#include "calc/frmCalculator.h"
#include "calc/frmInterestCalc.h"
#include "calc/frmTimeCalc.h"
#include "core/AppGlobals.h"
#include "core/Help.h"
#include "core/cuAppError.h"
#include "core/frmHelp.h"
#include "core/pOptions.h"
#include "platform/QtMessageBoxPresenter.h"
#include "support/ScriptedMessageBox.h"
#include "support/TestText.h"

#include <QApplication>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {
// The title as the window has it and as its window on the desktop has it.
QStringList titles(QWidget* w)
{
    w->show();
    return {w->windowTitle(), w->windowHandle() ? w->windowHandle()->title() : QString()};
}
} // namespace

TEST(WindowTitles, NoDisplayNameIsAppendedToAnyTitle)
{
    SetApplicationIdentity();
    // Qt appends a display name only where one was set; unset, it follows the name.
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(u("Probe"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), u("Probe"));
    QCoreApplication::setApplicationName(name);
}

TEST(WindowTitles, ReadAsTheWindowsGiveThem)
{
    ScriptedMessageBox boxes;
    auto options = std::make_unique<pOptions>();
    options->Init();
    SetAppOptions(std::move(options));
    const auto maskEdit = [](frmMainMasksEdit::Mode mode) {
        auto* edit = new frmMainMasksEdit;
        edit->SetP_Mode(mode);
        return edit;
    };
    const std::pair<std::function<QWidget*()>, const char*> windows[] = {
        {[] { return new frmMain; }, "Tolvane"},
        {[] { return new frmCalculator; }, "Rechner"},
        {[] { return new frmTimeCalc; }, "Zeitrechner"},
        {[] { return new frmInterestCalc; }, "Zinsrechner"},
        {[] { return new frmOptions; }, "Optionen"},
        {[] { return new frmMainMasks; }, "Dateimasken"},
        {[&] { return maskEdit(frmMainMasksEdit::Mode::Edit); }, "Dateimaske bearbeiten"},
        {[&] { return maskEdit(frmMainMasksEdit::Mode::Add); }, "Dateimaske hinzufügen"},
        {[] { return new frmAbout; }, "Info"},
        {[] { return new frmHelp(Help::HelpFolder(), nullptr); }, "Tolvane-Hilfe"},
    };
    for (const auto& [create, title] : windows) {
        std::unique_ptr<QWidget> w(create());
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        EXPECT_EQ(titles(w.get()), QStringList(2, u(title)));
    }
    SetAppOptions(nullptr);
}

TEST(WindowTitles, AnErrorBoxIsTitledWithTheProgramAndTheNumber)
{
    QtMessageBoxPresenter presenter;
    MessageBoxPresenter* previous = MessageBoxService::setPresenter(&presenter);
    QStringList seen;
    QTimer::singleShot(0, [&seen] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        seen = titles(box);
        box->close();
    });
    AppErr().ErrMsg(AppErrorRecord(53, {}, u("Datei nicht gefunden")));
    MessageBoxService::setPresenter(previous);
    EXPECT_EQ(seen, QStringList(2, u("Tolvane <Fehler Nr. 53>")));
}
