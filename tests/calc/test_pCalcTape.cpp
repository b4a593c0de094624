// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/pCalcTape.h"
#include "core/AppErrorRecord.h"

#include "support/TestLocale.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace {
// Presses keys as written: digits, operators, "," the decimal key, "%", "=",
// "~" the sign key, "<" backspace, "C" clear. Returns what the keys had to
// tell, in order (nothing for keys that had nothing).
QList<TapeOutcome> keys(pCalcTape& tape, const char* script)
{
    static constexpr char kOperators[] = "+-*/"; // KeyOperator counts them from 1
    static const std::map<char, TapeOutcome (pCalcTape::*)()> kKeys = {
        {',', &pCalcTape::KeyDecimal}, {'%', &pCalcTape::KeyPercent},   {'=', &pCalcTape::KeyEqual},
        {'~', &pCalcTape::KeySign},    {'<', &pCalcTape::KeyBackspace},
    };
    QList<TapeOutcome> told;
    for (const char* k = script; *k; ++k) {
        TapeOutcome outcome;
        if (const char* op = std::strchr(kOperators, *k))
            outcome = tape.KeyOperator(int(op - kOperators) + 1);
        else if (const auto key = kKeys.find(*k); key != kKeys.end())
            outcome = (tape.*(key->second))();
        else if (*k == 'C')
            tape.KeyClear();
        else
            outcome = tape.KeyDigit(*k - '0');
        if (outcome.kind != TapeOutcome::Done)
            told.append(outcome);
    }
    return told;
}

QList<TapeOutcome::Kind> kinds(const QList<TapeOutcome>& outcomes)
{
    QList<TapeOutcome::Kind> result;
    for (const TapeOutcome& outcome : outcomes)
        result.append(outcome.kind);
    return result;
}

const QList<TapeOutcome::Kind> kDivisionByZero = {TapeOutcome::DivisionByZero};

// The tape as "op|value" per line, "!" after bold lines, lines joined by blanks.
QString dump(const pCalcTape& tape)
{
    QStringList lines;
    for (const TapeLine& line : tape.Lines())
        lines << line.Op + QLatin1Char('|') + line.Value +
                     (line.Bold ? QStringLiteral("!") : QString());
    return lines.join(QLatin1Char(' '));
}

// Every tape case runs under a German and under an English locale.
class Tape : public ::testing::TestWithParam<QLocale::Language> {
protected:
    ScopedLocale locale{GetParam()};
};
} // namespace

// Key scripts and the tape they leave, with the display where given and the
// operator that waits for its value.
TEST_P(Tape, KeyScripts)
{
    const struct {
        const char* name;
        const char* keys;
        const char* tape;
        const char* display = nullptr;
        int pending = 0;
    } cases[] = {
        {"a new tape", "", "|0", "0"},
        {"= on a new tape does nothing", "=", "|0", "0"},
        {"left to right, no precedence", "12+5*3=", "|12,00 +|5,00 *|3,00 =|51,00!", "51,00"},
        {"after a result from the last result line",
         "12+5*3=+4=", "|12,00 +|5,00 *|3,00 =|51,00! +|4,00 =|55,00!"},
        {"an operator replaces the one before", "5+-*", "|5,00 *|", nullptr, 3},
        {"= right after an operator does nothing", "5+-*=3=", "|5,00 *|3,00 =|15,00!"},
        {"percent of the total before", "200+10%=", "|200,00 +|20,00 =|220,00!", "220,00"},
        {"percent subtracted", "200-10%=", "|200,00 -|20,00 =|180,00!"},
        {"percent as factor", "50*10%=", "|50,00 *|5,00 =|250,00!"},
        {"sign of a result", "5+3=~", "|5,00 +|3,00 =|8,00! *|-1,00 =|-8,00!", "-8"},
        {"typing on after the sign", "12~3", "|-123"},
        {"sign back", "12~3~", "|123"},
        {"the display is cut to 36 characters", "1234567891234567891234567891234567891234",
         "|123456789123456789123456789123456789", "123456789123456789123456789123456789"},
        {"backspace: three digits", "123<", "|12"},
        {"backspace: one digit becomes 0", "5<", "|0"},
        {"backspace: negative", "12~<", "|-1"},
        {"backspace: negative single digit", "5~<", "|0"},
        {"backspace: decimals", "1,25<", "|1,2"},
        {"backspace: 0 in a second line deletes it", "5+0<", "|5,00"},
        {"backspace: operator waiting for its value", "5+<", "|5,00"},
        {"backspace: 0 alone stays", "<", "|0"},
        {"backspace: single digit divisor deletes the line", "8/5<", "|8,00"},
        {"backspace: result line", "5+3=<", "|5,00 +|3,00", "3,00"},
    };
    for (const auto& c : cases) {
        pCalcTape tape;
        EXPECT_TRUE(keys(tape, c.keys).isEmpty()) << c.name;
        EXPECT_EQ(dump(tape), num(c.tape)) << c.name;
        EXPECT_EQ(tape.PendingOperator(), c.pending) << c.name;
        if (c.display) {
            EXPECT_EQ(tape.Display(), num(c.display)) << c.name;
        }
    }
    pCalcTape tape;
    keys(tape, "12+5*3=");
    EXPECT_EQ(tape.SelectedLine(), 4);
    keys(tape, "+4=");
    EXPECT_EQ(tape.ComputeTotal(), 55.0);
    keys(tape, "*");
    EXPECT_EQ(tape.PendingOperator(), 3);
    // After deleting a result, typing continues on the last line.
    keys(tape, "C5+3=<=");
    EXPECT_EQ(dump(tape), num("|5,00 +|3,00 =|8,00!"));
}

TEST_P(Tape, DivisionByZeroIsRefusedWithoutAddingLines)
{
    pCalcTape tape;
    EXPECT_EQ(kinds(keys(tape, "5/0=")), kDivisionByZero);
    EXPECT_EQ(dump(tape), num("|5,00 /|0"));
    EXPECT_EQ(kinds(keys(tape, "+")), kDivisionByZero);
    EXPECT_EQ(dump(tape), num("|5,00 /|0"));
    EXPECT_EQ(tape.ComputeTotal(), std::nullopt);
    // The next digit corrects the divisor.
    keys(tape, "2=");
    EXPECT_EQ(dump(tape), num("|5,00 /|2,00 =|2,50!"));
}

TEST_P(Tape, RoundingPlaces)
{
    pCalcTape off;
    off.SetRoundingPlaces(-1);
    keys(off, "1/3=");
    EXPECT_EQ(off.Display(), num("0,3333333333333333"));
    keys(off, "C1234,5+1=");
    EXPECT_EQ(dump(off), num("|1234,5 +|1 =|1235,5!")) << "no grouping with rounding off";

    pCalcTape six;
    six.SetRoundingPlaces(6);
    keys(six, "1/3=");
    EXPECT_EQ(six.Display(), num("0,333300"));

    pCalcTape two;
    keys(two, "1234,5+1,005=");
    EXPECT_EQ(dump(two), num("|1.234,50 +|1,01 =|1.235,51!"));
}

TEST_P(Tape, NumbersBeyondTheRoundingRangeFailVisiblyOnEqual)
{
    pCalcTape tape;
    EXPECT_TRUE(keys(tape, "1000000000000000+").isEmpty()) << "the operator ends silently";
    EXPECT_EQ(tape.Display(), QStringLiteral("1000000000000000"));
    keys(tape, "1");
    EXPECT_EQ(dump(tape), QStringLiteral("|10000000000000001")) << "the number typed is kept";
    const QList<TapeOutcome> told = keys(tape, "=");
    ASSERT_EQ(kinds(told), QList{TapeOutcome::Failed});
    EXPECT_EQ(told[0].error->Description, QStringLiteral("Überlauf."));
    EXPECT_TRUE(told[0].module.isEmpty());
}

TEST_P(Tape, DigitAfterResultAsksBeforeRestarting)
{
    pCalcTape tape;
    keys(tape, "5+3=");
    EXPECT_EQ(kinds(keys(tape, "7")), QList{TapeOutcome::RestartQuestion});
    tape.RestartWith(7);
    EXPECT_EQ(tape.Display(), QStringLiteral("7"));
    EXPECT_EQ(tape.CurrentLine(), 1);
}

TEST_P(Tape, PasteAppendsOrFillsTheWaitingLine)
{
    pCalcTape tape;
    EXPECT_FALSE(tape.ClipboardHasNumber(QString()));
    EXPECT_FALSE(tape.ClipboardHasNumber(QStringLiteral("abc")));
    EXPECT_TRUE(tape.ClipboardHasNumber(num(" 1.234,5\n")));

    keys(tape, "5");
    tape.Paste(num("1.234,5"));
    EXPECT_EQ(dump(tape), num("|5,00 +|1234,5"));

    // After a division message the pasted number still goes on the tape.
    keys(tape, "C8/0");
    EXPECT_EQ(tape.Paste(QStringLiteral("4")).kind, TapeOutcome::DivisionByZero);
    EXPECT_EQ(dump(tape), num("|8,00 /|0 +|4"));
    tape.Paste(QStringLiteral("keine Zahl"));
    EXPECT_EQ(dump(tape), num("|8,00 /|0 +|4"));
}

TEST_P(Tape, NumberTextHelpers)
{
    pCalcTape tape;
    EXPECT_EQ(tape.DecimalSeparator(), QLocale().decimalPoint());
    EXPECT_EQ(tape.NormalizeLeadingZero(num(",5")), num("0,5"));
    EXPECT_EQ(tape.NormalizeLeadingZero(num("-,5")), num("-0,5"));
    EXPECT_EQ(tape.FormatValue(-0.001), num("0,00"));
    EXPECT_DOUBLE_EQ(tape.ToNumber(num("12,")), 12.0);
    EXPECT_THROW(tape.ToNumber(QString()), AppErrorRecord);
    EXPECT_EQ(tape.PlainText(1e15), QStringLiteral("1000000000000000"));
    // Written out, 1e300 would not fit the display; its exponent form reads back.
    EXPECT_DOUBLE_EQ(tape.ToNumber(tape.PlainText(1e300)), 1e300);
}

TEST_P(Tape, DeletingTheOnlyLineLeavesAUsableTape)
{
    pCalcTape tape;
    tape.DeleteSelectedLine();
    EXPECT_EQ(tape.LineCount(), 0);
    keys(tape, "<");
    keys(tape, "4+2=");
    EXPECT_EQ(dump(tape), num("|4,00 +|2,00 =|6,00!"));
}

INSTANTIATE_TEST_SUITE_P(Locales, Tape, ::testing::Values(QLocale::German, QLocale::English),
                         [](const auto& info) {
                             return QLocale::languageToString(info.param).toStdString();
                         });
