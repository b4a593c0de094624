// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/frmCalculator.h"
#include "calc/frmInterestCalc.h"
#include "calc/frmTimeCalc.h"
#include "core/AppGlobals.h"
#include "core/cuAppError.h"
#include "platform/MessageBoxStyle.h"
#include "support/ScriptedMessageBox.h"
#include "support/TestLocale.h"
#include "support/TestText.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {
// The list as "op|value" per row, "!" after bold rows, rows joined by blanks.
QString shownTape(const frmCalculator& w)
{
    QStringList rows;
    for (int i = 0; i < w.LV->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = w.LV->topLevelItem(i);
        const bool bold = item->font(0).bold() && item->font(1).bold();
        rows << item->text(0) + QLatin1Char('|') + item->text(1) + (bold ? u("!") : QString());
    }
    return rows.join(QLatin1Char(' '));
}

int selectedRow(const frmCalculator& w)
{
    const QList<QTreeWidgetItem*> items = w.LV->selectedItems();
    return items.isEmpty() ? -1 : w.LV->indexOfTopLevelItem(items.first());
}

// The calculators' windows, under German, their message boxes answered by script.
class CalcWindow : public ::testing::Test {
protected:
    ScopedLocale locale{QLocale::German};
    ScriptedMessageBox boxes;
};
} // namespace

TEST_F(CalcWindow, CalculatorKeypadClicksWriteTheTape)
{
    frmCalculator w;
    w.show();
    EXPECT_EQ(shownTape(w), u("|0"));
    const auto press = [](std::initializer_list<QPushButton*> keys) {
        for (QPushButton* key : keys)
            QTest::mouseClick(key, Qt::LeftButton);
    };
    press({w.cmdNum[1], w.cmdNum[2], w.cmdOP[1], w.cmdNum[5], w.cmdOP[3], w.cmdNum[3], w.cmdEqual});
    EXPECT_EQ(shownTape(w), u("|12,00 +|5,00 *|3,00 =|51,00!"));
    EXPECT_EQ(selectedRow(w), 3);
    press({w.cmdPlusMinus, w.cmdBS});
    EXPECT_EQ(shownTape(w), u("|12,00 +|5,00 *|3,00 =|51,00! *|-1,00"));
    press({w.cmdC, w.cmdNum[2], w.cmdDot, w.cmdNum[5], w.cmdOP[4], w.cmdNum[5], w.cmdPercent});
    EXPECT_EQ(shownTape(w), u("|2,50 /|0,13"));
}

TEST_F(CalcWindow, CalculatorTypedKeysAndEnterReachTheTapeWhereverTheFocusIs)
{
    frmCalculator w;
    w.show();
    QTest::keyClicks(w.LV, u("12+5*3"));
    QTest::keyClick(w.LV, Qt::Key_Return);
    EXPECT_EQ(shownTape(w), u("|12,00 +|5,00 *|3,00 =|51,00!"));

    // Keys typed at the window itself, the locale's separator, and keys it ignores.
    QTest::keyClicks(&w, u("-2,5.=x"));
    QTest::keyClick(&w, Qt::Key_Escape);
    QTest::keyClick(&w, Qt::Key_Backspace);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(shownTape(w), u("|12,00 +|5,00 *|3,00 =|51,00! -|2,5"));
    QTest::keyClick(&w, Qt::Key_Enter);
    EXPECT_EQ(w.LV->topLevelItem(5)->text(1), u("48,50"));

    // The number block's separator key is the decimal key in any locale.
    QTest::keyClicks(&w, u("+1"));
    QTest::keyClick(&w, Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClicks(&w, u("5%"));
    EXPECT_EQ(w.LV->topLevelItem(6)->text(1), u("0,73"));

    // Enter on the close button presses it.
    QTest::keyClick(w.cmdClose, Qt::Key_Return);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(CalcWindow, CalculatorKeypadFollowsTheLocaleAndKeepsItsSize)
{
    frmCalculator german;
    EXPECT_EQ(german.cmdDot->text(), u(","));
    const QFontMetrics tapeMetrics(german.LV->font());
    EXPECT_EQ(tapeMetrics.horizontalAdvance(QLatin1Char('i')),
              tapeMetrics.horizontalAdvance(QLatin1Char('W')))
        << "the tape is set in a fixed-width font";

    german.show();
    const QSize start = german.size();
    EXPECT_EQ(german.minimumHeight(), german.maximumHeight());
    german.resize(start.width() - 100, start.height() + 100);
    EXPECT_EQ(german.size(), start);
    german.resize(start.width() + 200, start.height());
    EXPECT_EQ(german.width(), start.width() + 200);
    EXPECT_GT(german.LV->width(), german.cmdNum[0]->width() * 5);

    ScopedLocale english(QLocale::English);
    frmCalculator w;
    EXPECT_EQ(w.cmdDot->text(), u("."));
    QTest::keyClicks(&w, u("1,5.5+1="));
    QTest::keyClick(&w, Qt::Key_Return);
    EXPECT_EQ(shownTape(w), u("|15.50 +|1.00 =|16.50!"));
}

TEST_F(CalcWindow, CalculatorRoundingMenuChecksOneItem)
{
    frmCalculator w;
    const auto checked = [&w] {
        QList<int> items;
        for (int i = 1; i <= 8; ++i) {
            if (w.mOpt_RoundSub[i]->isChecked())
                items << i;
        }
        return items;
    };
    EXPECT_EQ(checked(), QList<int>{4});
    EXPECT_TRUE(w.mOpt_RoundSub[2]->isSeparator());
    w.mOpt_RoundSub[1]->trigger();
    EXPECT_EQ(checked(), QList<int>{1});
    EXPECT_EQ(w.Tape().RoundingPlaces(), -1) << "the first item turns rounding off";
    w.mOpt_RoundSub[8]->trigger();
    w.mOpt_RoundSub[8]->trigger(); // choosing the checked item again keeps it checked
    EXPECT_EQ(checked(), QList<int>{8});
    EXPECT_EQ(w.Tape().RoundingPlaces(), 6);
}

TEST_F(CalcWindow, CalculatorContextMenuAndClipboard)
{
    frmCalculator w;
    w.show();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(u("kein Wert"));
    w.PrepareContextMenu();
    EXPECT_FALSE(w.kLV_Paste->isEnabled());
    EXPECT_TRUE(w.kLV_CopyEntry->isEnabled());
    EXPECT_FALSE(w.kLV_CopySum->isEnabled());
    EXPECT_TRUE(w.kLV_CopyList->isEnabled());

    QTest::keyClicks(&w, u("5+"));
    w.PrepareContextMenu();
    EXPECT_FALSE(w.kLV_CopyEntry->isEnabled()) << "the selected line waits for its value";

    clipboard->setText(u("1.000,5"));
    w.PrepareContextMenu();
    ASSERT_TRUE(w.kLV_Paste->isEnabled());
    w.kLV_Paste->trigger();
    QTest::keyClick(&w, Qt::Key_Return);
    EXPECT_EQ(shownTape(w), u("|5,00 +|1.000,50 =|1.005,50!"));
    w.PrepareContextMenu();
    EXPECT_TRUE(w.kLV_CopySum->isEnabled());

    // A line the user clicks is the one "Aktuellen Eintrag" copies.
    QTreeWidgetItem* first = w.LV->topLevelItem(0);
    QTest::mouseClick(w.LV->viewport(), Qt::LeftButton, {}, w.LV->visualItemRect(first).center());
    w.kLV_CopyEntry->trigger();
    EXPECT_EQ(clipboard->text(), u("5,00"));
    w.kLV_CopySum->trigger();
    EXPECT_EQ(clipboard->text(), u("1.005,50"));
    EXPECT_EQ(selectedRow(w), 2);
    w.kLV_CopyList->trigger();
    EXPECT_EQ(clipboard->text(), u("\t5,00\n+\t1.000,50\n=\t1.005,50"));
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(CalcWindow, CalculatorQuitHidesAndReturnValsReportsTheTape)
{
    frmCalculator w;
    w.show();
    QTest::keyClicks(&w, u("2*4"));
    QString tape;
    double result = 0;
    EXPECT_TRUE(w.ReturnVals(tape, result));
    EXPECT_EQ(tape, u("\t2,00\n*\t4"));
    EXPECT_EQ(result, 8.0);

    QSignalSpy shutdown(&w, &frmCalculator::shutdownRequested);
    w.mFile_Quit->trigger();
    EXPECT_FALSE(w.isVisible());
    tape.clear();
    EXPECT_FALSE(w.ReturnVals(tape, result));
    EXPECT_TRUE(tape.isEmpty());
    w.close();
    EXPECT_EQ(shutdown.count(), 0) << "opened from the main window, closing ends nothing";
}

TEST_F(CalcWindow, CalculatorShowsWhatTheTapeTellsAndAsksWhatItAsks)
{
    frmCalculator w;
    QTest::keyClicks(&w, u("5/0"));
    QTest::keyClick(&w, Qt::Key_Return);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.lastText(), u("Division durch Null ist nicht möglich."));
    EXPECT_EQ(boxes.shown()[0].style, MsgStyle::OkOnly | MsgStyle::Exclamation);

    QTest::mouseClick(w.cmdC, Qt::LeftButton);
    QTest::keyClicks(&w, u("5+3"));
    QTest::keyClick(&w, Qt::Key_Return);
    const QString result = shownTape(w);
    boxes.clear();
    boxes.queueAnswer(MsgResult::No);
    QTest::mouseClick(w.cmdNum[7], Qt::LeftButton);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.lastText(), u("Sie haben keinen Operator angegeben.\nBerechnung neu starten?"));
    EXPECT_EQ(boxes.shown()[0].style, MsgStyle::YesNo | MsgStyle::Question);
    EXPECT_EQ(shownTape(w), result);
    boxes.queueAnswer(MsgResult::Yes);
    QTest::mouseClick(w.cmdNum[7], Qt::LeftButton);
    EXPECT_EQ(shownTape(w), u("|7"));

    // A failure is shown in the error box under the key's own name.
    boxes.clear();
    QTest::keyClicks(&w, u("000000000000000+1"));
    QTest::mouseClick(w.cmdBS, Qt::LeftButton);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.lastText(), u("CmdBS\n\nÜberlauf."));
    EXPECT_EQ(boxes.shown()[0].style, MsgStyle::Critical);
}

TEST_F(CalcWindow, TimeCalcTypingEnterAndPlusAddTimesAndAnOverflowKeepsTheSum)
{
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
    w.txtIn[0]->setText(u("596524"));
    QTest::mouseClick(w.cmdSum, Qt::LeftButton);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.lastText(), u("Überlauf."));
    EXPECT_EQ(boxes.shown()[0].style, 16);
    EXPECT_EQ(boxes.shown()[0].title, AppErr().AppName);
    EXPECT_EQ(w.Text2->text(), u("25:00:00"));
}

TEST_F(CalcWindow, InterestCalcBerechnenFillsTheOutputs)
{
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
