// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "ModalDriver.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "fileinfo/frmDirInfo.h"
#include "fileinfo/frmFileInfo.h"

#include <QLineEdit>

TEST_F(MainWindowTest, PropertiesOpenForOneSelectedFileAndTheFolder)
{
    dir.writeFile(QStringLiteral("a.txt"), "aaa");
    dir.writeFile(QStringLiteral("b.txt"), "bbbbb");
    auto form = Open();

    // The entry is offered only with a selection; its handler still checks.
    form->SelectFiles(QString(), false);
    QAction* fileEntry = Entry(*form, "kFileBox_Properties");
    fileEntry->setEnabled(true);
    fileEntry->trigger();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.lastText(), AppErr().MsgLoad(Msg::NeedOneFile));

    // One file selected while the other is current: the selected one is shown.
    ClickFile(*form, QStringLiteral("a.txt"));
    ClickFile(*form, QStringLiteral("b.txt"), Qt::ControlModifier);
    ClickFile(*form, QStringLiteral("b.txt"), Qt::ControlModifier);
    ASSERT_EQ(form->SelectedCount(), 1);
    QString caption, name;
    WhenModal<frmFileInfo>([&](frmFileInfo* window) {
        caption = window->windowTitle();
        name = window->txtFilename->text();
        window->close();
    });
    fileEntry->trigger();
    EXPECT_EQ(caption, QStringLiteral("Eigenschaften - a.txt"));
    EXPECT_EQ(name, QStringLiteral("a.txt"));
    EXPECT_EQ(form->InfoPath(), dir.filePath(QStringLiteral("a.txt")));

    ClickFile(*form, QStringLiteral("b.txt"), Qt::ControlModifier);
    fileEntry->trigger();
    EXPECT_EQ(boxes.lastText(), AppErr().MsgLoad(Msg::OnlyOneFile));

    WhenModal<frmDirInfo>([&](frmDirInfo* window) {
        caption = window->windowTitle();
        window->close();
    });
    Entry(*form, "kDirBox_Properties")->trigger();
    EXPECT_EQ(caption, QStringLiteral("Eigenschaften - ") + dir.path());
}
