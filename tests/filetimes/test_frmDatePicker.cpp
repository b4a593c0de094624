// SPDX-License-Identifier: GPL-3.0-or-later
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
    void SetUp() override { picker.show(); }
    QColor fieldBackground() const { return picker.txtDate->palette().color(QPalette::Base); }

    ScriptedMessageBox boxes;
    frmDatePicker picker;
};

TEST_F(DatePicker, TheOptionsSwitchTheFieldAndTheBirthTimeCannotBeChosen)
{
    EXPECT_EQ(picker.cmbEditMode->currentText(), u("Änderungsdatum"));
    EXPECT_FALSE(picker.optAction[0]->isChecked() || picker.optAction[1]->isChecked());
    QTest::mouseClick(picker.optAction[0], Qt::LeftButton);
    EXPECT_TRUE(picker.txtDate->isEnabled());
    EXPECT_EQ(picker.txtDate->text(), DateInput::Midnight(QDate::currentDate(), QLocale()));
    EXPECT_EQ(fieldBackground(), QColor(Qt::white));
    QTest::mouseClick(picker.optAction[1], Qt::LeftButton);
    EXPECT_FALSE(picker.txtDate->isEnabled());
    EXPECT_EQ(picker.txtDate->text(), QString());
    EXPECT_EQ(fieldBackground(), picker.palette().color(QPalette::Window));

    const auto* birth = qobject_cast<QStandardItemModel*>(picker.cmbEditMode->model())->item(0);
    EXPECT_EQ(birth->toolTip(), pDateTime::BirthTimeNotSettable());
    picker.cmbEditMode->setCurrentIndex(1);
    QTest::keyClick(picker.cmbEditMode, Qt::Key_Up);
    picker.cmbEditMode->setCurrentIndex(0);
    EXPECT_EQ(picker.cmbEditMode->currentIndex(), 1);
    picker.cmbEditMode->setCurrentIndex(3);
    EXPECT_EQ(picker.findChild<QLabel*>(u("lblBirthNote"))->text(),
              u("Das Erstellungsdatum bleibt unverändert."));
}

TEST_F(DatePicker, OkRefusesWhatIsNoDateAndCancelSetsChkCancel)
{
    QTest::mouseClick(picker.optAction[0], Qt::LeftButton);
    picker.txtDate->setText(u("31.02.2024"));
    QTest::mouseClick(picker.cmdOK, Qt::LeftButton);
    EXPECT_EQ(boxes.lastText(), u("'31.02.2024' ist kein gültiges Datum."));
    EXPECT_TRUE(picker.isVisible());
    picker.txtDate->setText(u("24.12.2021 18:30"));
    QTest::mouseClick(picker.cmdOK, Qt::LeftButton);
    EXPECT_EQ(picker.chkCancel, 0);
    EXPECT_EQ(picker.ChosenDate(), QDateTime(QDate(2021, 12, 24), QTime(18, 30)));

    picker.show();
    QTest::mouseClick(picker.cmdCancel, Qt::LeftButton);
    EXPECT_EQ(picker.chkCancel, 1);
    EXPECT_FALSE(picker.isVisible());
}
