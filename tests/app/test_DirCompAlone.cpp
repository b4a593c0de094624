// SPDX-License-Identifier: GPL-3.0-or-later
// The comparison window opened from the main window's folder menu (alone
// from the command line: test_Process.cpp; from every entry: test_ToolStates.cpp).
#include "dircomp/DirCompFixture.h"

#include "app/Startup.h"
#include "browser/frmMain.h"
#include "core/AppSettings.h"
#include "core/MessageTable.h"
#include "dircomp/frmDirComp.h"
#include "support/ScriptedMessageBox.h"
#include "support/TestText.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

namespace {
frmMain* mainWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<frmMain*>(w))
            return found;
    }
    return nullptr;
}

// Runs `action` on the comparison window once it is shown modally, then closes it.
void whenModal(const std::function<void(frmDirComp*)>& action)
{
    QTimer::singleShot(0, [action] {
        if (auto* form = qobject_cast<frmDirComp*>(QApplication::activeModalWidget())) {
            action(form);
            form->close();
        }
    });
}
} // namespace

TEST(DirCompOpening, TheFolderMenuOffersItsFolderOnceAsTheSource)
{
    ScriptedMessageBox boxes;
    TwoFolders f;
    AppSaveSetting(akDirComp, u("SourcePath"), f.dest());
    AppSaveSetting(akOptions, u("StartupPath"), f.source());
    Main({});
    frmMain* main = mainWindow();
    ASSERT_NE(main, nullptr);
    // The folder menu's folder differs from the stored source: asked, and
    // on Yes it becomes the source.
    QString source;
    boxes.queueAnswer(MsgResult::Yes);
    whenModal([&](frmDirComp* form) { source = form->txtPath[0]->text(); });
    QAction* folderMenu = main->findChild<QAction*>(u("kDirBox_DirComp"));
    folderMenu->trigger();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.lastText(),
              u("Soll der Ordner '%1' als Quellordner verwendet werden?").arg(f.source()));
    EXPECT_EQ(boxes.shown().last().style, 36);
    EXPECT_EQ(source, f.source());
    // Now it is the stored source: nothing to ask.
    whenModal([](frmDirComp*) {});
    folderMenu->trigger();
    EXPECT_EQ(boxes.count(), 1);
    main->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
