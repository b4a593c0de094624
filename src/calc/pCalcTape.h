// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AppErrorRecord.h"

#include <QList>
#include <QLocale>
#include <QString>

#include <optional>

// One line of the tape: the operator ("" on the first line, "+", "-", "*",
// "/", or "=" on a result line), the value as locale text (empty while the
// operator waits for its value) and whether the line is shown bold.
struct TapeLine {
    QString Op;
    QString Value;
    bool Bold = false;
};

// What a key did that the window must tell the user or ask: the tape shows
// no box itself.
struct TapeOutcome {
    enum Kind {
        Done,            // nothing to tell
        DivisionByZero,  // the division message; the tape was left as it was
        Failed,          // the error box for `error`, with `module` as its source
        RestartQuestion, // a digit after a result: ask before starting over
    };
    Kind kind = Done;
    std::optional<AppErrorRecord> error;
    QString module;

    // The failure just caught, for the error box under `module`.
    static TapeOutcome failure(const QString& module = {});
};

// The tape calculator without its window: the tape, the display being typed
// (never shown; the user sees the current tape line), the pending operator,
// the rounding places, and one method per key. Numbers are read and written in
// the locale in effect when the tape is created.
//
// The key methods never throw: they return what the window has to show, and
// end silently where the calculator always has. Line numbers are 1-based; 0
// means none.
class pCalcTape {
public:
    pCalcTape();

    static constexpr int MaxDisplayLength = 36;

    // Keys. Operators by index: 1 "+", 2 "-", 3 "*", 4 "/". A digit after a
    // result changes nothing and asks (RestartQuestion); RestartWith is the
    // answer Yes.
    TapeOutcome KeyDigit(int digit);
    TapeOutcome RestartWith(int digit);
    TapeOutcome KeyDecimal();
    TapeOutcome KeyOperator(int op);
    TapeOutcome KeyEqual();
    TapeOutcome KeyPercent();
    TapeOutcome KeySign();
    TapeOutcome KeyBackspace();
    void KeyClear();
    // Appends (or fills in) the number the clipboard text holds.
    TapeOutcome Paste(const QString& clipboardText);
    // The texts the copy commands put on the clipboard; nothing when there is
    // nothing to copy.
    std::optional<QString> CopyEntry() const;
    std::optional<QString> CopySum();
    std::optional<QString> CopyList() const;
    // -1 turns rounding off; 1 to 6 places otherwise. Lines already on the tape stay.
    void SetRoundingPlaces(int places);

    const QList<TapeLine>& Lines() const { return m_lines; }
    int LineCount() const { return int(m_lines.size()); }
    int CurrentLine() const { return m_current; }
    int SelectedLine() const { return m_selected; }
    void SetSelectedLine(int line);
    int PendingOperator() const { return m_pending; }
    int RoundingPlaces() const { return m_places; }
    QString Display() const { return m_display; }
    QString DecimalSeparator() const { return m_decimal; }

    // The steps the keys are made of.
    void WriteTapeLine(const QString& op, const QString& value, bool newLine, bool replace);
    void ClearTape();
    // Left to right without precedence, from the last result line on;
    // nothing when not computed, and then `outcome` tells why.
    std::optional<double> ComputeTotal(TapeOutcome* outcome = nullptr) const;
    // Formats the last line's value; false (with DivisionByZero) on a division by zero.
    bool FinishLastLine(TapeOutcome& outcome);
    // The rounded value of the selected line; nothing when none is selected or it is empty.
    std::optional<double> SelectedLineValue() const;
    bool LastLineIsResult() const;
    double RoundValue(double value) const;
    double RoundValue(const QString& text) const;
    QString FormatValue(double value) const;
    QString NormalizeLeadingZero(const QString& text) const;
    void AppendResultLine(const QString& value);
    void DeleteSelectedLine();
    QString TapeText() const;
    bool ClipboardHasNumber(const QString& text) const;

    // The locale's shortest text for a number, without grouping.
    QString PlainText(double value) const;
    // Locale text to number; raises a type mismatch when it is none.
    double ToNumber(const QString& text) const;

    static int OperatorIndex(const QString& op);
    static QString OperatorSymbol(int index);

private:
    void SetDisplay(const QString& text);
    TapeLine* LineAt(int line);
    std::optional<double> Total(TapeOutcome& outcome) const;
    void WriteDigit(int digit, bool restart);

    QLocale m_locale;
    QString m_decimal;
    QList<TapeLine> m_lines;
    QString m_display = QStringLiteral("0");
    int m_current = 0;
    int m_selected = 0;
    int m_pending = 0;
    int m_places = 2;
};
