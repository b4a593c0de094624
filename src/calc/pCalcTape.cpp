// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/pCalcTape.h"

#include "core/NumberUtil.h"

#include <cmath>

namespace {
const QString kResultOp = QStringLiteral("=");

bool sameOp(const QString& op, const QString& symbol)
{
    return op.trimmed().compare(symbol, Qt::CaseInsensitive) == 0;
}

AppErrorRecord overflow()
{
    return AppErrorRecord(RuntimeError::Overflow, QString(), QStringLiteral("Überlauf."));
}
} // namespace

TapeOutcome TapeOutcome::failure(const QString& module)
{
    TapeOutcome outcome;
    outcome.kind = Failed;
    outcome.error = AppErrorRecord::fromException(std::current_exception());
    outcome.module = module;
    return outcome;
}

pCalcTape::pCalcTape() : m_locale(QLocale()), m_decimal(m_locale.decimalPoint())
{
    ClearTape();
}

int pCalcTape::OperatorIndex(const QString& op)
{
    for (int index = 1; index <= 4; ++index) {
        if (sameOp(op, OperatorSymbol(index)))
            return index;
    }
    return 0;
}

QString pCalcTape::OperatorSymbol(int index)
{
    static const QString symbols[] = {QString(), QStringLiteral("+"), QStringLiteral("-"),
                                      QStringLiteral("*"), QStringLiteral("/")};
    return index >= 1 && index <= 4 ? symbols[index] : QString();
}

void pCalcTape::SetSelectedLine(int line)
{
    m_selected = line >= 1 && line <= LineCount() ? line : 0;
}

void pCalcTape::SetRoundingPlaces(int places)
{
    m_places = places < 0 ? -1 : qMin(places, 6);
}

TapeLine* pCalcTape::LineAt(int line)
{
    return line >= 1 && line <= LineCount() ? &m_lines[line - 1] : nullptr;
}

void pCalcTape::SetDisplay(const QString& text)
{
    m_display =
        NormalizeLeadingZero(text.size() > MaxDisplayLength ? text.left(MaxDisplayLength) : text);
}

// --- Number text --------------------------------------------------------------

double pCalcTape::ToNumber(const QString& text) const
{
    QString t = text.trimmed();
    // Backspace leaves texts such as "12," behind; they mean 12.
    if (t.endsWith(m_decimal))
        t.chop(m_decimal.size());
    bool ok = false;
    const double value = t.isEmpty() ? 0 : m_locale.toDouble(t, &ok);
    if (!ok)
        throw AppErrorRecord(RuntimeError::TypeMismatch, QString(),
                             QStringLiteral("Typen unverträglich."));
    if (!std::isfinite(value))
        throw overflow();
    return value;
}

QString pCalcTape::PlainText(double value) const
{
    if (value == 0)
        value = 0; // no "-0"
    QLocale plain = m_locale;
    plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
    const QString fixed = plain.toString(value, 'f', QLocale::FloatingPointShortest);
    // Very large or small numbers would not survive the display's length limit
    // written out in full; their exponent form does.
    if (fixed.size() <= MaxDisplayLength)
        return fixed;
    return plain.toString(value, 'g', QLocale::FloatingPointShortest);
}

double pCalcTape::RoundValue(double value) const
{
    double rounded = value;
    if (m_places >= 0)
        rounded = RoundToStep(value, m_places, 0).toDouble();
    else if (!std::isfinite(value))
        throw overflow();
    return rounded == 0 ? 0.0 : rounded;
}

double pCalcTape::RoundValue(const QString& text) const
{
    return RoundValue(ToNumber(text));
}

QString pCalcTape::FormatValue(double value) const
{
    if (m_places < 0)
        return PlainText(value);
    // Rounded first so that a tiny negative value does not show as "-0,00".
    return m_locale.toString(RoundTo(value, m_places), 'f', m_places);
}

QString pCalcTape::NormalizeLeadingZero(const QString& text) const
{
    QString t = text;
    t.replace(QLatin1Char('-') + m_decimal, QStringLiteral("-0") + m_decimal, Qt::CaseInsensitive);
    if (t.startsWith(m_decimal, Qt::CaseInsensitive))
        t.replace(m_decimal, QStringLiteral("0") + m_decimal, Qt::CaseInsensitive);
    return t;
}

bool pCalcTape::ClipboardHasNumber(const QString& text) const
{
    if (text.isEmpty())
        return false;
    try {
        ToNumber(text);
        return true;
    } catch (const AppErrorRecord&) {
        return false;
    }
}

// --- The tape -----------------------------------------------------------------

void pCalcTape::WriteTapeLine(const QString& op, const QString& value, bool newLine, bool replace)
{
    m_current = qBound(0, m_current, LineCount());
    if (newLine || m_current == 0) {
        ++m_current;
        m_lines.insert(m_current - 1, TapeLine{op, value, false});
    } else {
        TapeLine& line = m_lines[m_current - 1];
        if (!op.isEmpty())
            line.Op = op;
        if (value.isEmpty()) {
            if (line.Value.isEmpty() && !replace)
                line.Value = QStringLiteral("0");
        } else if (line.Value == QLatin1String("0") || replace) {
            line.Value = value;
        } else {
            line.Value += value;
        }
        line.Value = NormalizeLeadingZero(line.Value);
    }
    m_selected = m_current;
}

void pCalcTape::ClearTape()
{
    m_lines.clear();
    m_current = 0;
    m_selected = 0;
    WriteTapeLine(QString(), QStringLiteral("0"), false, false);
}

bool pCalcTape::LastLineIsResult() const
{
    return !m_lines.isEmpty() && sameOp(m_lines.last().Op, kResultOp);
}

std::optional<double> pCalcTape::ComputeTotal(TapeOutcome* outcome) const
{
    TapeOutcome result;
    std::optional<double> total;
    try {
        total = Total(result);
    } catch (...) {
        result = TapeOutcome::failure();
    }
    if (outcome)
        *outcome = result;
    return total;
}

std::optional<double> pCalcTape::Total(TapeOutcome& outcome) const
{
    if (LineCount() < 2)
        return std::nullopt;
    double total = 0;
    qsizetype first = 0;
    for (qsizetype i = m_lines.size() - 1; i >= 0; --i) {
        if (sameOp(m_lines[i].Op, kResultOp)) {
            total = ToNumber(m_lines[i].Value);
            first = i + 1;
            break;
        }
    }
    for (qsizetype i = first; i < m_lines.size(); ++i) {
        const QString op = m_lines[i].Op.trimmed();
        const double v = ToNumber(m_lines[i].Value);
        if (op.isEmpty() || op == QLatin1String("+")) {
            total += v;
        } else if (op == QLatin1String("-")) {
            total -= v;
        } else if (op == QLatin1String("*")) {
            total *= v;
        } else if (op == QLatin1String("/")) {
            if (v == 0) {
                outcome.kind = TapeOutcome::DivisionByZero;
                return std::nullopt;
            }
            total /= v;
        }
    }
    return RoundValue(total);
}

bool pCalcTape::FinishLastLine(TapeOutcome& outcome)
{
    if (m_lines.isEmpty())
        return true;
    TapeLine& last = m_lines.last();
    if (sameOp(last.Op, QStringLiteral("/")) && !last.Value.isEmpty() &&
        ToNumber(last.Value) == 0) {
        outcome.kind = TapeOutcome::DivisionByZero;
        return false;
    }
    last.Value = FormatValue(RoundValue(last.Value));
    return true;
}

std::optional<double> pCalcTape::SelectedLineValue() const
{
    if (m_selected < 1 || m_selected > LineCount() || m_lines[m_selected - 1].Value.isEmpty())
        return std::nullopt;
    return RoundValue(m_lines[m_selected - 1].Value);
}

void pCalcTape::AppendResultLine(const QString& value)
{
    WriteTapeLine(kResultOp, value, true, false);
    m_lines[m_selected - 1].Bold = true;
}

void pCalcTape::DeleteSelectedLine()
{
    if (m_selected >= 1 && m_selected <= LineCount())
        m_lines.removeAt(m_selected - 1);
    // An emptied tape starts over at its first line with the next key.
    m_current = LineCount();
    m_selected = LineCount();
    SetDisplay(m_lines.isEmpty() ? QStringLiteral("0") : m_lines.last().Value);
    m_pending = 0;
}

QString pCalcTape::TapeText() const
{
    QStringList rows;
    for (const TapeLine& line : m_lines)
        rows << line.Op + QLatin1Char('\t') + line.Value;
    return rows.join(QLatin1Char('\n'));
}

// --- Keys -----------------------------------------------------------------------

TapeOutcome pCalcTape::KeyDigit(int digit)
{
    if (digit < 0 || digit > 9)
        return {};
    if (LastLineIsResult()) {
        TapeOutcome question;
        question.kind = TapeOutcome::RestartQuestion;
        return question;
    }
    WriteDigit(digit, false);
    return {};
}

TapeOutcome pCalcTape::RestartWith(int digit)
{
    if (digit >= 0 && digit <= 9)
        WriteDigit(digit, true);
    return {};
}

void pCalcTape::WriteDigit(int digit, bool restart)
{
    try {
        if (restart) {
            KeyClear();
            SetDisplay(QString::number(digit));
        } else {
            SetDisplay((m_display == QLatin1String("0") ? QString() : m_display) +
                       QString::number(digit));
        }
        WriteTapeLine(QString(), m_display, false, true);
        m_pending = 0;
    } catch (...) {
        // A digit key has never shown a failure; the tape keeps what was written.
    }
}

TapeOutcome pCalcTape::KeyDecimal()
{
    try {
        if (m_display.contains(m_decimal))
            return {};
        SetDisplay(m_display + m_decimal);
        WriteTapeLine(QString(), m_display, false, true);
        return {};
    } catch (...) {
        return TapeOutcome::failure();
    }
}

TapeOutcome pCalcTape::KeyOperator(int op)
{
    if (op < 1 || op > 4)
        return {};
    const QString display = m_display;
    TapeOutcome outcome;
    try {
        SetDisplay(QStringLiteral("0"));
        if (m_pending != 0) {
            WriteTapeLine(OperatorSymbol(op), QString(), false, true);
        } else if (FinishLastLine(outcome)) {
            WriteTapeLine(OperatorSymbol(op), QString(), true, true);
        }
        // Also after a division message: the next operator then corrects the
        // divisor's line instead of starting another one.
        m_pending = op;
    } catch (...) {
        // The number typed so far stays in the display, so the next digit
        // does not replace it.
        m_display = display;
    }
    return outcome;
}

TapeOutcome pCalcTape::KeyEqual()
{
    TapeOutcome outcome;
    try {
        // A single line has nothing to add up; it stays as typed.
        if (!SelectedLineValue() || LineCount() < 2 || !FinishLastLine(outcome))
            return outcome;
        const std::optional<double> total = ComputeTotal(&outcome);
        if (!total)
            return outcome;
        SetDisplay(FormatValue(*total));
        AppendResultLine(m_display);
        m_pending = 0;
        return outcome;
    } catch (...) {
        return TapeOutcome::failure();
    }
}

TapeOutcome pCalcTape::KeyPercent()
{
    TapeOutcome outcome;
    try {
        if (!SelectedLineValue())
            return outcome;
        // What computing the total meets is told; the key's own failures are not.
        const std::optional<double> total = ComputeTotal(&outcome);
        if (!total)
            return outcome;
        const double v = ToNumber(m_display);
        // The base is the total before the selected line's own operation.
        double base = *total;
        switch (OperatorIndex(m_lines[m_selected - 1].Op)) {
        case 1:
            base = *total - v;
            break;
        case 2:
            base = *total + v;
            break;
        case 3:
            base = *total / v;
            break;
        case 4:
            base = *total * v;
            break;
        default:
            break;
        }
        const double percent = RoundValue(v / 100 * base);
        SetDisplay(PlainText(percent));
        WriteTapeLine(QString(), FormatValue(percent), false, true);
    } catch (...) {
    }
    return outcome;
}

TapeOutcome pCalcTape::KeySign()
{
    try {
        const double negated = RoundValue(-ToNumber(m_display));
        SetDisplay(PlainText(negated));
        if (LastLineIsResult()) {
            WriteTapeLine(OperatorSymbol(3), FormatValue(-1), true, false);
            AppendResultLine(FormatValue(negated));
        } else if (TapeLine* line = LineAt(m_current); line && !line->Value.isEmpty()) {
            line->Value = PlainText(RoundValue(-ToNumber(line->Value)));
        }
    } catch (...) {
    }
    return {};
}

TapeOutcome pCalcTape::KeyBackspace()
{
    try {
        if (m_lines.isEmpty())
            return {};
        m_selected = LineCount();
        if (LastLineIsResult()) {
            DeleteSelectedLine();
            return {};
        }
        const QString t = m_display;
        const double x = ToNumber(t);
        double value = 0;
        if ((t.size() > 1 && x > 0) || (x < 0 && t.size() > 2)) {
            value = ToNumber(t.chopped(1));
        } else if (x == 0) {
            if (LineCount() > 1)
                DeleteSelectedLine();
            return {};
        } else if (sameOp(m_lines.last().Op, OperatorSymbol(4))) {
            // A divisor of 0 is no value to leave behind.
            DeleteSelectedLine();
            return {};
        }
        SetDisplay(PlainText(RoundValue(value)));
        WriteTapeLine(QString(), m_display, false, true);
        return {};
    } catch (...) {
        return TapeOutcome::failure(QStringLiteral("CmdBS"));
    }
}

void pCalcTape::KeyClear()
{
    m_pending = 0;
    SetDisplay(QStringLiteral("0"));
    ClearTape();
}

TapeOutcome pCalcTape::Paste(const QString& clipboardText)
{
    TapeOutcome outcome;
    try {
        if (!ClipboardHasNumber(clipboardText))
            return outcome;
        SetDisplay(PlainText(ToNumber(clipboardText)));
        if (!m_lines.isEmpty())
            m_selected = LineCount();
        if (m_lines.isEmpty() || !m_lines.last().Value.isEmpty()) {
            // After a division message the number still goes on the tape.
            FinishLastLine(outcome);
            WriteTapeLine(OperatorSymbol(1), m_display, true, true);
        } else {
            WriteTapeLine(QString(), m_display, false, true);
        }
        m_pending = 0;
        return outcome;
    } catch (...) {
        return TapeOutcome::failure(QStringLiteral("Paste"));
    }
}

std::optional<QString> pCalcTape::CopyEntry() const
{
    if (m_selected < 1 || m_selected > LineCount())
        return std::nullopt;
    return m_lines[m_selected - 1].Value;
}

std::optional<QString> pCalcTape::CopySum()
{
    if (m_lines.isEmpty())
        return std::nullopt;
    m_selected = LineCount();
    return m_lines.last().Value;
}

std::optional<QString> pCalcTape::CopyList() const
{
    const QString text = TapeText();
    if (text.isEmpty())
        return std::nullopt;
    return text;
}
