// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/MessageTable.h"
#include "filetimes/DateInput.h"
#include "filetimes/frmDatePicker.h"
#include "filetimes/pDateTime.h"
#include "support/ScriptedMessageBox.h"
#include "support/TestText.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTest>

#include <gtest/gtest.h>

class DatePicker : public ::testing::Test {
protected:
    void SetUp() override
    {
        picker.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&picker));
    }
    QColor fieldBackground() const { return picker.txtDate->palette().color(QPalette::Base); }

    ScriptedMessageBox boxes;
    frmDatePicker picker;
};

TEST_F(DatePicker, OpensOnTheLastWriteWithNoActionChosen)
{
    EXPECT_EQ(picker.windowTitle(), u("Datum/Uhrzeit"));
    EXPECT_EQ(picker.cmbEditMode->currentText(), u("Änderungsdatum"));
    EXPECT_FALSE(picker.optAction[0]->isChecked());
    EXPECT_FALSE(picker.optAction[1]->isChecked());
    EXPECT_FALSE(picker.txtDate->isEnabled());
    EXPECT_TRUE(picker.txtDate->text().isEmpty());
    // OK without a choice means the reset.
    QTest::mouseClick(picker.cmdOK, Qt::LeftButton);
    EXPECT_EQ(picker.chkCancel, 0);
    EXPECT_EQ(picker.result(), QDialog::Accepted);
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(DatePicker, TheOptionsSwitchTheDateField)
{
    QTest::mouseClick(picker.optAction[0], Qt::LeftButton);
    EXPECT_TRUE(picker.txtDate->isEnabled());
    EXPECT_EQ(picker.txtDate->text(), DateInput::Midnight(QDate::currentDate(), QLocale()));
    EXPECT_EQ(fieldBackground(), QColor(Qt::white));

    QTest::mouseClick(picker.optAction[1], Qt::LeftButton);
    EXPECT_FALSE(picker.txtDate->isEnabled());
    EXPECT_TRUE(picker.txtDate->text().isEmpty());
    EXPECT_EQ(fieldBackground(), picker.palette().color(QPalette::Window));
}

TEST_F(DatePicker, TheBirthTimeCannotBeChosenAndAllSaysItStays)
{
    const auto* items = qobject_cast<QStandardItemModel*>(picker.cmbEditMode->model());
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(items->item(0)->text(), u("Erstellungsdatum"));
    EXPECT_FALSE(items->item(0)->isEnabled());
    EXPECT_EQ(items->item(0)->toolTip(), pDateTime::BirthTimeNotSettable());

    picker.cmbEditMode->setCurrentIndex(1);
    QTest::keyClick(picker.cmbEditMode, Qt::Key_Up);
    EXPECT_EQ(picker.cmbEditMode->currentIndex(), 1);
    picker.cmbEditMode->setCurrentIndex(0);
    EXPECT_EQ(picker.cmbEditMode->currentIndex(), 1);

    const auto* note = picker.findChild<QLabel*>(u("lblBirthNote"));
    EXPECT_TRUE(note->text().isEmpty());
    picker.cmbEditMode->setCurrentIndex(3);
    EXPECT_EQ(note->text(), u("Das Erstellungsdatum bleibt unverändert."));
    picker.cmbEditMode->setCurrentIndex(2);
    EXPECT_TRUE(note->text().isEmpty());
}

TEST_F(DatePicker, OkRefusesWhatIsNoDateAndStaysOpen)
{
    QTest::mouseClick(picker.optAction[0], Qt::LeftButton);
    for (const char* text : {"31.02.2024", "12:30"}) {
        picker.txtDate->setText(u(text));
        QTest::mouseClick(picker.cmdOK, Qt::LeftButton);
        EXPECT_EQ(boxes.lastText(), u("'%1' ist kein gültiges Datum.").arg(u(text)));
        EXPECT_TRUE(picker.isVisible());
        EXPECT_EQ(picker.chkCancel, 1);
    }
    picker.txtDate->setText(u("24.12.2021 18:30"));
    QTest::mouseClick(picker.cmdOK, Qt::LeftButton);
    EXPECT_EQ(picker.chkCancel, 0);
    EXPECT_EQ(picker.ChosenDate().date(), QDate(2021, 12, 24));
    EXPECT_EQ(picker.ChosenDate().time(), QTime(18, 30));
}

TEST_F(DatePicker, CancelAndEscapeSetChkCancel)
{
    QTest::mouseClick(picker.cmdOK, Qt::LeftButton);
    ASSERT_EQ(picker.chkCancel, 0);
    picker.show();
    QTest::mouseClick(picker.cmdCancel, Qt::LeftButton);
    EXPECT_EQ(picker.chkCancel, 1);
    EXPECT_FALSE(picker.isVisible());
    picker.chkCancel = 0;
    picker.show();
    QTest::keyClick(&picker, Qt::Key_Escape);
    EXPECT_EQ(picker.chkCancel, 1);
}
