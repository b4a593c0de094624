// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/frmInterestCalc.h"
#include "calc/frmTimeCalc.h"
#include "core/AppGlobals.h"
#include "core/cuAppError.h"
#include "support/ScriptedMessageBox.h"
#include "support/TestText.h"

#include "support/TestLocale.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

TEST(TimeCalcWindow, TypingEnterAndPlusAddTimesAndAnOverflowKeepsTheSum)
{
    ScriptedMessageBox boxes;
    frmTimeCalc w;
    // Active, as a user's window would be: the fields take the keyboard.
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_EQ(w.Text2->text(), u("00:00:00"));
    EXPECT_TRUE(w.Text2->isReadOnly());
    ASSERT_EQ(QApplication::focusWidget(), w.txtIn[0]);

    // Typing replaces the selected "0"; letters never reach the field; Enter moves on.
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.txtIn[0]->hasSelectedText(); }));
    QTest::keyClicks(QApplication::focusWidget(), u("1x"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), w.txtIn[1]);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.txtIn[1]->hasSelectedText(); }));
    QTest::keyClicks(QApplication::focusWidget(), u("3a0"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), w.txtIn[2]);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), w.cmdSum);
    EXPECT_EQ(w.txtIn[0]->text(), u("1"));
    EXPECT_EQ(w.txtIn[1]->text(), u("30"));

    QTest::keyClick(w.cmdSum, Qt::Key_Return);
    EXPECT_EQ(w.Text2->text(), u("01:30:00"));
    EXPECT_EQ(QApplication::focusWidget(), w.txtIn[0]);
    EXPECT_EQ(w.txtIn[0]->selectedText(), u("1"));

    // "+" typed in a field adds and does not appear in it.
    QTest::keyClick(w.txtIn[1], Qt::Key_Plus);
    EXPECT_EQ(w.Text2->text(), u("03:00:00"));
    EXPECT_EQ(w.txtIn[1]->text(), u("30"));

    // An emptied field gets its "0" back when it is left.
    w.txtIn[2]->setFocus();
    w.txtIn[2]->clear();
    w.txtIn[0]->setFocus();
    EXPECT_EQ(w.txtIn[2]->text(), u("0"));

    QTest::mouseClick(w.cmdReset, Qt::LeftButton);
    EXPECT_EQ(w.Text2->text(), u("00:00:00"));
    EXPECT_EQ(w.txtIn[1]->text(), u("0"));
    EXPECT_EQ(boxes.count(), 0);

    // An overflow is told and keeps the sum.
    w.txtIn[0]->setText(u("25"));
    QTest::mouseClick(w.cmdSum, Qt::LeftButton);
    EXPECT_EQ(w.Text2->text(), u("25:00:00"));
    w.txtIn[0]->setText(u("596524"));
    QTest::mouseClick(w.cmdSum, Qt::LeftButton);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.lastText(), u("Überlauf."));
    EXPECT_EQ(boxes.shown()[0].style, 16);
    EXPECT_EQ(boxes.shown()[0].title, AppErr().AppName);
    EXPECT_EQ(w.Text2->text(), u("25:00:00"));
}

TEST(InterestCalcWindow, BerechnenFillsTheOutputs)
{
    ScopedLocale german(QLocale::German);
    ScriptedMessageBox boxes;
    frmInterestCalc w;
    w.show();
    EXPECT_TRUE(w.Text4->text().isEmpty());
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    EXPECT_EQ(w.Text4->text(), u("562,60"));
    EXPECT_EQ(w.Text5->text(), u("27.004,85"));
    EXPECT_TRUE(w.Text4->isReadOnly());
    EXPECT_TRUE(w.Text5->isReadOnly());

    // Letters fail through the error box and leave the outputs.
    w.Text2->setText(u("vier"));
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.shown()[0].style, 16);
    EXPECT_TRUE(boxes.lastText().endsWith(u("Typen unverträglich.")));
    EXPECT_EQ(w.Text4->text(), u("562,60"));

    // Enter in a field calculates.
    w.Text2->setText(u("0"));
    w.Text1->setText(u("4800"));
    QTest::keyClick(w.Text3, Qt::Key_Return);
    EXPECT_EQ(w.Text4->text(), u("100,00"));
    EXPECT_EQ(w.Text5->text(), u("4.800,00"));
}
