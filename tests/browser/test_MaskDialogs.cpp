// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModalDriver.h"
#include "browser/frmMainMasks.h"
#include "browser/frmMainMasksEdit.h"
#include "platform/MessageBoxService.h"
#include "support/ScriptedMessageBox.h"
#include "support/TestText.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {
const QList<QPair<QString, QString>> kTwoMasks = {{u("ActiveX"), u("dll;ocx")},
                                                  {u("Bilder"), u("bmp")}};

// Fills the next mask input dialog and confirms it.
void AnswerEdit(const QString& name, const QString& extensions)
{
    WhenModal<frmMainMasksEdit>([name, extensions](frmMainMasksEdit* edit) {
        edit->txt[0]->setText(name);
        edit->txt[1]->setText(extensions);
        edit->cmdOK->click();
    });
}
} // namespace

// Which inputs are refused is MaskEditCheck's; here: the box, and the dialog stays.
TEST(frmMainMasksEdit, OkNeedsBothFieldsAndARefusalKeepsTheDialogOpen)
{
    ScriptedMessageBox boxes;
    frmMainMasksEdit edit;
    edit.show();
    EXPECT_FALSE(edit.cmdOK->isEnabled());
    edit.txt[0]->setText(u("Texte"));
    EXPECT_FALSE(edit.cmdOK->isEnabled());
    edit.txt[1]->setText(u("txt|ini"));
    EXPECT_TRUE(edit.cmdOK->isEnabled());
    edit.cmdOK_Click();
    EXPECT_EQ(boxes.lastText(), u("'|' ist ein reserviertes Zeichen."));
    EXPECT_EQ(boxes.shown().last().style, 48);
    EXPECT_EQ(edit.chkCancel, 1);
    EXPECT_TRUE(edit.isVisible());

    edit.txt[1]->setText(u("txt"));
    edit.cmdOK_Click();
    EXPECT_EQ(edit.chkCancel, 0);
    EXPECT_FALSE(edit.isVisible());
    EXPECT_EQ(boxes.count(), 1);
}

TEST(frmMainMasks, AddAndEditRefuseOnlyTheNamesOfOtherRows)
{
    ScriptedMessageBox boxes;
    frmMainMasks list;
    list.LoadRows(kTwoMasks);
    EXPECT_FALSE(list.CmdOK->isEnabled());
    AnswerEdit(u("bilder"), u("png"));
    list.cmdAdd_Click();
    EXPECT_EQ(boxes.lastText(),
              u("Es gibt bereits eine Vorgabe namens 'bilder'. Der Name muss eindeutig sein."));
    EXPECT_EQ(list.LV->topLevelItemCount(), 2);
    EXPECT_FALSE(list.CmdOK->isEnabled());

    AnswerEdit(u("Fotos"), u("jpg"));
    list.cmdAdd_Click();
    ASSERT_EQ(list.LV->topLevelItemCount(), 3);
    EXPECT_EQ(list.LV->topLevelItem(2)->text(1), u("jpg"));
    EXPECT_EQ(list.LV->currentItem(), list.LV->topLevelItem(2));
    EXPECT_TRUE(list.CmdOK->isEnabled());

    // Editing opens the row's values; its own name in other case is no duplicate.
    boxes.clear();
    list.LV->setCurrentItem(list.LV->topLevelItem(0));
    WhenModal<frmMainMasksEdit>([](frmMainMasksEdit* edit) {
        EXPECT_EQ(edit->txt[0]->text(), u("ActiveX"));
        edit->txt[0]->setText(u("ACTIVEX"));
        edit->cmdOK->click();
    });
    list.cmdEdit_Click();
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(list.LV->topLevelItem(0)->text(0), u("ACTIVEX"));
}

TEST(frmMainMasks, DeleteAsksThenSelectsThePreviousRow)
{
    ScriptedMessageBox boxes;
    frmMainMasks list;
    list.LoadRows({{u("a"), u("1")}, {u("b"), u("2")}, {u("c"), u("3")}});
    list.LV->setCurrentItem(list.LV->topLevelItem(2));
    boxes.queueAnswer(MsgResult::No);
    list.cmdDelete_Click();
    EXPECT_EQ(boxes.lastText(), u("Soll 'c' wirklich gelöscht werden?"));
    EXPECT_EQ(boxes.shown().last().style, 292);
    EXPECT_EQ(list.LV->topLevelItemCount(), 3);

    boxes.queueAnswer(MsgResult::Yes);
    list.cmdDelete_Click();
    EXPECT_EQ(list.LV->topLevelItemCount(), 2);
    EXPECT_EQ(list.LV->currentItem()->text(0), u("b"));

    list.LV->setCurrentItem(list.LV->topLevelItem(0));
    boxes.queueAnswer(MsgResult::Yes);
    list.kLV_Delete->trigger(); // the context menu does what the button does
    EXPECT_EQ(list.LV->currentItem()->text(0), u("b"));

    list.cmdDelete_Click();
    EXPECT_EQ(boxes.lastText(), u("Der letzte Eintrag kann nicht gelöscht werden."));
    EXPECT_EQ(list.LV->topLevelItemCount(), 1);
}

TEST(frmMainMasks, CancellingChangesAsksFirst)
{
    ScriptedMessageBox boxes;
    frmMainMasks list;
    list.LoadRows(kTwoMasks);
    list.show();
    list.cmdCancel_Click();
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(list.chkCancel, 1);
    EXPECT_FALSE(list.isVisible());

    list.show();
    AnswerEdit(u("Neu"), u("neu"));
    list.cmdAdd_Click();
    boxes.queueAnswer(MsgResult::No);
    list.cmdCancel_Click();
    EXPECT_EQ(boxes.lastText(), u("Sollen die Änderungen wirklich verworfen werden?"));
    EXPECT_TRUE(list.isVisible());
    EXPECT_EQ(list.LV->topLevelItemCount(), 3);
    boxes.queueAnswer(MsgResult::Yes);
    list.cmdCancel_Click();
    EXPECT_FALSE(list.isVisible());
    EXPECT_EQ(list.chkCancel, 1);
}
