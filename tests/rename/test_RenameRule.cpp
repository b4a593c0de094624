// SPDX-License-Identifier: GPL-3.0-or-later
#include "RenameTesting.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "rename/RenameRule.h"
#include "support/Raised.h"
#include "support/TestText.h"

#include <gtest/gtest.h>

namespace {
using Mode = RenameRule::Mode;

RenameRule Insert(const char* text, qint64 pos, bool after, bool reverse = false)
{
    RenameRule r;
    r.mode = Mode::Insert;
    r.insert = QString::fromUtf8(text);
    r.insertPos = pos;
    r.side = after ? RenameRule::Side::After : RenameRule::Side::Before;
    r.reverse = reverse;
    return r;
}

RenameRule Special()
{
    RenameRule r;
    r.mode = Mode::Special;
    return r;
}

struct CalcCase {
    const char* label;
    const char* oldName;
    RenameRule rule;
    const char* expected; // null: message `error` is raised
    qint64 counter = 0;
    int error = Msg::InvalidStartPosition;
};

using P = RenameRule::Parts;
const CalcCase kCases[] = {
    {"ReplaceAll", "Bericht.doc", ReplaceRule("e", "x"), "Bxricht.doc"},
    {"ReplaceFromThree", "Bericht.doc", ReplaceRule("e", "x", 3), "richt.doc"},
    {"ReplaceFirstIgnoringCase", "Bericht.doc", ReplaceRule("ER", "_", 1, true), "B_icht.doc"},
    {"ReplaceUmlautCase", "ÄPFEL.txt", ReplaceRule("äp", "Bi"), "BiFEL.txt"},
    {"SharpSFoldsSimply", "STRAẞE.txt", ReplaceRule("ß", "ss"), "STRAssE.txt"},
    {"SharpSIsNotSS", "Strasse.txt", ReplaceRule("ß", "x"), "Strasse.txt"},
    {"EmojiIsOneCharacter", "a😀b.txt", ReplaceRule("b", "c", 3), "c.txt"},
    {"StartAtLength", "abc.txt", ReplaceRule("c", "d", 3), "d.txt"},
    {"StartPastBase", "abc.txt", ReplaceRule("c", "d", 4), nullptr},
    {"StartZero", "abc.txt", ReplaceRule("c", "d", 0), nullptr},
    {"PartsBefore", "abcdef.txt", PartsRule(P::Before, "X", 3), "Xcdef.txt"},
    {"PartsAfter", "abcdef.txt", PartsRule(P::After, "X", 3), "abcX.txt"},
    {"PartsWhole", "abcdef.txt", PartsRule(P::Whole, "neu"), "neu.txt"},
    {"PartsPastBase", "abc.txt", PartsRule(P::After, "X", 4), nullptr},
    {"InsertBefore", "abcdef", Insert("_", 1, false), "_abcdef"},
    {"InsertAfterEnd", "abcdef", Insert("_", 6, true), "abcdef_"},
    {"InsertBeforeReverse", "abcdef", Insert("_", 2, false, true), "abcd_ef"},
    {"InsertAfterReverse", "abcdef", Insert("_", 2, true, true), "abcde_f"},
    {"InsertTwoReverse", "abcdef", Insert("XY", 1, false, true), "abcdeYXf"},
    {"InsertEmojiReverse", "ab😀", Insert("-", 1, true, true), "ab😀-"},
    {"InsertPastBase", "abc", Insert("_", 4, false), nullptr},
    {"Special", "IMG_2034_b12.jpg", Special(), "2034.jpg"},
    {"SpecialWithoutDigits", "abc.jpg", Special(), "abc.jpg"},
    {"NumberPadded", "bild.jpg", NumberedRule(3), "bild007.jpg", 7},
    {"NumberLonger", "bild.jpg", NumberedRule(3), "bild1234.jpg", 1234},
    {"NumberPlacesZero", "bild.jpg", NumberedRule(0, true), "7bild.jpg", 7},
    {"NumberNoExtension", "README", NumberedRule(3), "README000"},
    {"NumberPast32Bits", "a.txt", NumberedRule(3), "a4294967296.txt", 4294967296LL},
    {"NumberWithoutPlaces", "a.txt", NumberedRule(std::nullopt), nullptr, 0, Msg::FieldRequired},
    {"Extension", "a.txt", ExtensionRule("htm"), "a.htm"},
    {"EmptyExtensionKeeps", "a.txt", ExtensionRule(""), "a.txt"},
    {"TrailingDotKept", "name.", ReplaceRule("a", "o"), "nome."},
    {"TrailingDotKeptNumbered", "name.", NumberedRule(2), "name01.", 1},
    {"EmptyName", "", NumberedRule(3), ""},
};

class CalcTable : public ::testing::TestWithParam<CalcCase> {};

// A number used advances the counter by one; a name computed without one
// leaves it.
TEST_P(CalcTable, GivesTheNewName)
{
    const CalcCase& c = GetParam();
    qint64 counter = c.counter;
    const QString old = QString::fromUtf8(c.oldName);
    if (!c.expected) {
        const AppErrorRecord e = Raised([&] { c.rule.Calc(old, counter); });
        EXPECT_EQ(e.Number, cuAppError::ErrorBase + c.error);
        EXPECT_EQ(e.Description.trimmed(), MessageTable::text(c.error).trimmed());
        return;
    }
    EXPECT_EQ(c.rule.Calc(old, counter), QString::fromUtf8(c.expected));
    EXPECT_EQ(counter, c.counter + (c.rule.numbering && !old.isEmpty() ? 1 : 0));
}

INSTANTIATE_TEST_SUITE_P(Rule, CalcTable, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(RenameRule, NumbersAndRuleChecks)
{
    EXPECT_FALSE(RenameRule::ParseNumber(QString()));
    EXPECT_EQ(RenameRule::ParseNumber(QStringLiteral("0007")), 7);
    EXPECT_EQ(RenameRule::ParseNumber(QStringLiteral("99999999999999999999999")),
              std::numeric_limits<qint64>::max());
    EXPECT_FALSE(RenameRule::ParseNumber(QStringLiteral("1a")));
    RenameRule whole = PartsRule(RenameRule::Parts::Whole, "x");
    EXPECT_TRUE(whole.GivesOneName());
    whole.numbering = true;
    EXPECT_FALSE(whole.GivesOneName());
    EXPECT_FALSE(RenameRule().HasAction());
}
} // namespace
