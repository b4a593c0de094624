// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/RenameRule.h"

#include "core/AppErrorRecord.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"

#include <algorithm>
#include <limits>
#include <string>

namespace {
using Text = std::u32string;

// Code points of a name. A lone surrogate (a byte of a name that is not
// UTF-8, platform/FileNameCodec.h) stays one unit of its own so nothing is lost.
Text CodePoints(const QString& s)
{
    Text out;
    out.reserve(size_t(s.size()));
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
            out.push_back(QChar::surrogateToUcs4(c, s.at(i + 1).unicode()));
            ++i;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

QString FromCodePoints(const Text& t)
{
    QString out;
    out.reserve(qsizetype(t.size()));
    for (char32_t c : t) {
        if (QChar::requiresSurrogates(c)) {
            out.append(QChar(QChar::highSurrogate(c)));
            out.append(QChar(QChar::lowSurrogate(c)));
        } else {
            out.append(QChar(char16_t(c)));
        }
    }
    return out;
}

Text Folded(Text t)
{
    for (char32_t& c : t)
        c = QChar::toCaseFolded(c);
    return t;
}

[[noreturn]] void RaiseMessage(int number)
{
    throw AppErrorRecord(cuAppError::ErrorBase + number, QStringLiteral("frmRename: Calc"),
                         cuAppError::MsgParse(MessageTable::text(number)));
}

// A position of the base: 1 up to its length (a start at the length itself
// is the last character).
size_t CheckedPosition(qint64 pos, size_t length)
{
    if (pos < 1 || quint64(pos) > length)
        RaiseMessage(Msg::InvalidStartPosition);
    return size_t(pos);
}

Text ReplaceFrom(const Text& base, const RenameRule& r)
{
    const size_t start = CheckedPosition(*r.start, base.size());
    const Text rest = base.substr(start - 1);
    const Text find = CodePoints(r.find);
    if (find.empty())
        return rest;
    // Simple case folding maps one code point to one, so positions in the
    // folded text are positions in the original.
    const Text foldedRest = Folded(rest);
    const Text foldedFind = Folded(find);
    const Text replacement = CodePoints(r.replace);
    Text out;
    size_t from = 0;
    for (;;) {
        const size_t hit = foldedRest.find(foldedFind, from);
        if (hit == Text::npos)
            break;
        out.append(rest, from, hit - from);
        out.append(replacement);
        from = hit + find.size();
        if (r.count == RenameRule::Count::First)
            break;
    }
    out.append(rest, from, Text::npos);
    return out;
}

Text ReplaceParts(const Text& base, const RenameRule& r)
{
    const Text text = CodePoints(r.text);
    if (r.parts == RenameRule::Parts::Whole)
        return text;
    if (!r.partsPos)
        return base;
    const size_t pos = CheckedPosition(*r.partsPos, base.size());
    if (r.parts == RenameRule::Parts::Before)
        return text + base.substr(pos - 1);
    return base.substr(0, pos) + text;
}

Text InsertText(Text base, const RenameRule& r)
{
    if (r.insert.isEmpty() || !r.insertPos)
        return base;
    size_t pos = CheckedPosition(*r.insertPos, base.size());
    const bool after = r.side == RenameRule::Side::After;
    if (after != r.reverse)
        ++pos;
    if (r.reverse)
        std::reverse(base.begin(), base.end());
    Text out = base.substr(0, pos - 1) + CodePoints(r.insert) + base.substr(pos - 1);
    if (r.reverse)
        std::reverse(out.begin(), out.end());
    return out;
}

bool IsDigit(char32_t c)
{
    return c >= U'0' && c <= U'9';
}

// The first run of digits 0-9, or the base as it was.
Text FirstNumber(const Text& base)
{
    const auto first = std::find_if(base.begin(), base.end(), IsDigit);
    if (first == base.end())
        return base;
    return Text(first, std::find_if_not(first, base.end(), IsDigit));
}

Text ApplyMode(const Text& base, const RenameRule& r)
{
    switch (r.mode) {
    case RenameRule::Mode::Off:
        return base;
    case RenameRule::Mode::Replace:
        return r.start ? ReplaceFrom(base, r) : base;
    case RenameRule::Mode::Parts:
        return ReplaceParts(base, r);
    case RenameRule::Mode::Insert:
        return InsertText(base, r);
    case RenameRule::Mode::Special:
        return FirstNumber(base);
    }
    return base;
}
} // namespace

QString RenameRule::Calc(const QString& oldName, qint64& counter) const
{
    if (oldName.isEmpty())
        return {};
    const qsizetype dot = oldName.lastIndexOf(QLatin1Char('.'));
    const QString baseText = dot < 0 ? oldName : oldName.left(dot);
    const QString oldExtension = dot < 0 ? QString() : oldName.mid(dot + 1);
    QString base = FromCodePoints(ApplyMode(CodePoints(baseText), *this));
    if (numbering) {
        if (!places)
            RaiseMessage(Msg::FieldRequired);
        if (counter == std::numeric_limits<qint64>::max())
            throw AppErrorRecord(RuntimeError::Overflow, QStringLiteral("frmRename: Calc"),
                                 QStringLiteral("Überlauf."));
        QString number = QString::number(counter);
        if (number.size() < *places && counter >= 0)
            number = number.rightJustified(*places, QLatin1Char('0'));
        base = numberAtStart ? number + base : base + number;
        ++counter;
    }
    if (changeExtension && !extension.isEmpty())
        return base + QLatin1Char('.') + extension;
    // A name that ended in "." keeps its dot.
    if (dot < 0)
        return base;
    return base + QLatin1Char('.') + oldExtension;
}

bool RenameRule::HasAction() const
{
    return !text.isEmpty() || !find.isEmpty() || !extension.isEmpty() || numbering ||
           !insert.isEmpty() || extractNumber || mode == Mode::Special;
}

bool RenameRule::GivesOneName() const
{
    return mode == Mode::Parts && parts == Parts::Whole && !numbering;
}

std::optional<qint64> RenameRule::ParseNumber(const QString& digits)
{
    if (digits.isEmpty())
        return std::nullopt;
    qint64 value = 0;
    for (QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        const int d = c.unicode() - '0';
        if (value > (std::numeric_limits<qint64>::max() - d) / 10)
            return std::numeric_limits<qint64>::max();
        value = value * 10 + d;
    }
    return value;
}
