// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/RenameCalc.h"

#include "core/AppErrorRecord.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"

#include <algorithm>
#include <limits>
#include <string_view>

namespace {
template <class Ch> using Text = std::basic_string<Ch>;
template <class Ch> using View = std::basic_string_view<Ch>;
template <class Ch> using Texts = RenameCalc::Texts<Ch>;

bool HasSurrogates(QStringView s)
{
    return std::any_of(s.begin(), s.end(), [](QChar c) { return c.isSurrogate(); });
}

View<char16_t> Units(QStringView s)
{
    return {s.utf16(), size_t(s.size())};
}

// Code points of a name. A lone surrogate (a byte of a name that is not
// UTF-8, platform/FileNameCodec.h) stays one unit of its own so nothing is lost.
Text<char32_t> CodePoints(QStringView s)
{
    Text<char32_t> out;
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

void Append(QString& out, const Text<char16_t>& t)
{
    out.append(reinterpret_cast<const QChar*>(t.data()), qsizetype(t.size()));
}

void Append(QString& out, const Text<char32_t>& t)
{
    for (char32_t c : t) {
        if (QChar::requiresSurrogates(c)) {
            out.append(QChar(QChar::highSurrogate(c)));
            out.append(QChar(QChar::lowSurrogate(c)));
        } else {
            out.append(QChar(char16_t(c)));
        }
    }
}

// Simple case folding maps one code point to one (and the BMP to itself),
// so positions in folded text are positions in the original.
template <class Ch> Ch Folded(Ch c)
{
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? Ch(c + 32) : c;
    return Ch(QChar::toCaseFolded(char32_t(c)));
}

template <class Ch> Text<Ch> FoldedText(Text<Ch> t)
{
    for (Ch& c : t)
        c = Folded(c);
    return t;
}

template <class Ch> Texts<Ch> MakeTexts(const RenameRule& r, Text<Ch> (*convert)(QStringView))
{
    Texts<Ch> t;
    t.find = convert(r.find);
    t.foldedFind = FoldedText(t.find);
    t.replace = convert(r.replace);
    t.text = convert(r.text);
    t.insert = convert(r.insert);
    return t;
}

Text<char16_t> UnitText(QStringView s)
{
    return Text<char16_t>(Units(s));
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

// Where the folded `find` next occurs in `text` ignoring case, from `from` on.
template <class Ch> size_t FindFolded(View<Ch> text, View<Ch> find, size_t from)
{
    for (size_t i = from; i + find.size() <= text.size(); ++i) {
        size_t k = 0;
        while (k < find.size() && Folded(text[i + k]) == find[k])
            ++k;
        if (k == find.size())
            return i;
    }
    return View<Ch>::npos;
}

template <class Ch> Text<Ch> ReplaceFrom(View<Ch> base, const RenameRule& r, const Texts<Ch>& t)
{
    const size_t start = CheckedPosition(*r.start, base.size());
    const View<Ch> rest = base.substr(start - 1);
    if (t.find.empty())
        return Text<Ch>(rest);
    Text<Ch> out;
    out.reserve(rest.size() + t.replace.size());
    size_t from = 0;
    for (;;) {
        const size_t hit = FindFolded(rest, View<Ch>(t.foldedFind), from);
        if (hit == View<Ch>::npos)
            break;
        out.append(rest.substr(from, hit - from));
        out.append(t.replace);
        from = hit + t.find.size();
        if (r.count == RenameRule::Count::First)
            break;
    }
    out.append(rest.substr(from));
    return out;
}

template <class Ch> Text<Ch> ReplaceParts(View<Ch> base, const RenameRule& r, const Texts<Ch>& t)
{
    if (r.parts == RenameRule::Parts::Whole)
        return t.text;
    if (!r.partsPos)
        return Text<Ch>(base);
    const size_t pos = CheckedPosition(*r.partsPos, base.size());
    if (r.parts == RenameRule::Parts::Before)
        return t.text + Text<Ch>(base.substr(pos - 1));
    return Text<Ch>(base.substr(0, pos)) + t.text;
}

template <class Ch> Text<Ch> InsertText(View<Ch> name, const RenameRule& r, const Texts<Ch>& t)
{
    Text<Ch> base(name);
    if (r.insert.isEmpty() || !r.insertPos)
        return base;
    size_t pos = CheckedPosition(*r.insertPos, base.size());
    const bool after = r.side == RenameRule::Side::After;
    if (after != r.reverse)
        ++pos;
    if (r.reverse)
        std::reverse(base.begin(), base.end());
    Text<Ch> out = base.substr(0, pos - 1) + t.insert + base.substr(pos - 1);
    if (r.reverse)
        std::reverse(out.begin(), out.end());
    return out;
}

template <class Ch> bool IsDigit(Ch c)
{
    return c >= Ch('0') && c <= Ch('9');
}

// The first run of digits 0-9, or the base as it was.
template <class Ch> Text<Ch> FirstNumber(View<Ch> base)
{
    const auto first = std::find_if(base.begin(), base.end(), IsDigit<Ch>);
    if (first == base.end())
        return Text<Ch>(base);
    return Text<Ch>(first, std::find_if_not(first, base.end(), IsDigit<Ch>));
}

template <class Ch> Text<Ch> ApplyMode(View<Ch> base, const RenameRule& r, const Texts<Ch>& t)
{
    switch (r.mode) {
    case RenameRule::Mode::Off:
        break;
    case RenameRule::Mode::Replace:
        if (r.start)
            return ReplaceFrom(base, r, t);
        break;
    case RenameRule::Mode::Parts:
        return ReplaceParts(base, r, t);
    case RenameRule::Mode::Insert:
        return InsertText(base, r, t);
    case RenameRule::Mode::Special:
        return FirstNumber(base);
    }
    return Text<Ch>(base);
}
} // namespace

RenameCalc::RenameCalc(const RenameRule& rule) : m_rule(rule)
{
    m_points = MakeTexts<char32_t>(rule, CodePoints);
    m_unitsFit = !HasSurrogates(rule.find) && !HasSurrogates(rule.replace) &&
                 !HasSurrogates(rule.text) && !HasSurrogates(rule.insert);
    if (m_unitsFit)
        m_units = MakeTexts<char16_t>(rule, UnitText);
}

QString RenameCalc::Base(QStringView baseText, qsizetype room) const
{
    QString base;
    if (m_unitsFit && !HasSurrogates(baseText)) {
        const Text<char16_t> units = ApplyMode(Units(baseText), m_rule, m_units);
        base.reserve(qsizetype(units.size()) + room);
        Append(base, units);
    } else {
        const Text<char32_t> points = CodePoints(baseText);
        Append(base, ApplyMode(View<char32_t>(points), m_rule, m_points));
    }
    return base;
}

QString RenameCalc::Calc(const QString& oldName, qint64& counter) const
{
    if (oldName.isEmpty())
        return {};
    const qsizetype dot = oldName.lastIndexOf(QLatin1Char('.'));
    const QStringView name(oldName);
    // Room for the extension, so the name is put together in one piece.
    const qsizetype room = std::max(name.size() - dot, m_rule.extension.size() + 1);
    QString base = Base(dot < 0 ? name : name.left(dot), room);
    if (m_rule.numbering) {
        if (!m_rule.places)
            RaiseMessage(Msg::FieldRequired);
        if (counter == std::numeric_limits<qint64>::max())
            throw AppErrorRecord(RuntimeError::Overflow, QStringLiteral("frmRename: Calc"),
                                 QStringLiteral("Überlauf."));
        QString number = QString::number(counter);
        if (number.size() < *m_rule.places && counter >= 0)
            number = number.rightJustified(*m_rule.places, QLatin1Char('0'));
        base = m_rule.numberAtStart ? number + base : base + number;
        ++counter;
    }
    const bool newExtension = m_rule.changeExtension && !m_rule.extension.isEmpty();
    // A name that ended in "." keeps its dot.
    if (!newExtension && dot < 0)
        return base;
    const QStringView extension = newExtension ? QStringView(m_rule.extension) : name.mid(dot + 1);
    base.append(QLatin1Char('.'));
    base.append(extension);
    return base;
}
