// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppErrorRecord.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "rename/RenameRule.h"
#include "support/TestText.h"

#include <gtest/gtest.h>

#include <functional>

namespace {
using Mode = RenameRule::Mode;

struct CalcCase {
    const char* label;
    const char* oldName;
    std::function<void(RenameRule&)> set;
    const char* expected; // null: message 120
    qint64 counter = 0;
};

RenameRule Replace(const char* find, const char* by, qint64 start, bool first = false)
{
    RenameRule r;
    r.mode = Mode::Replace;
    r.find = QString::fromUtf8(find);
    r.replace = QString::fromUtf8(by);
    r.start = start;
    r.count = first ? RenameRule::Count::First : RenameRule::Count::All;
    return r;
}

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

RenameRule Parts(RenameRule::Parts parts, const char* text, qint64 pos = 1)
{
    RenameRule r;
    r.mode = Mode::Parts;
    r.parts = parts;
    r.text = QString::fromUtf8(text);
    r.partsPos = pos;
    return r;
}

void Numbered(RenameRule& r, int places, bool atStart = false)
{
    r.numbering = true;
    r.places = places;
    r.numberAtStart = atStart;
}

const CalcCase kCases[] = {
    {"ReplaceAll", "Bericht.doc", [](RenameRule& r) { r = Replace("e", "x", 1); }, "Bxricht.doc"},
    {"ReplaceFromThree", "Bericht.doc", [](RenameRule& r) { r = Replace("e", "x", 3); },
     "richt.doc"},
    {"ReplaceFirstIgnoringCase", "Bericht.doc",
     [](RenameRule& r) { r = Replace("ER", "_", 1, true); }, "B_icht.doc"},
    {"ReplaceUmlautCase", "ÄPFEL.txt", [](RenameRule& r) { r = Replace("äp", "Bi", 1); },
     "BiFEL.txt"},
    {"SharpSFoldsSimply", "STRAẞE.txt", [](RenameRule& r) { r = Replace("ß", "ss", 1); },
     "STRAssE.txt"},
    {"SharpSIsNotSS", "Strasse.txt", [](RenameRule& r) { r = Replace("ß", "x", 1); },
     "Strasse.txt"},
    {"EmojiIsOneCharacter", "a😀b.txt", [](RenameRule& r) { r = Replace("b", "c", 3); }, "c.txt"},
    {"StartAtLength", "abc.txt", [](RenameRule& r) { r = Replace("c", "d", 3); }, "d.txt"},
    {"StartPastBase", "abc.txt", [](RenameRule& r) { r = Replace("c", "d", 4); }, nullptr},
    {"StartZero", "abc.txt", [](RenameRule& r) { r = Replace("c", "d", 0); }, nullptr},
    {"PartsBefore", "abcdef.txt",
     [](RenameRule& r) { r = Parts(RenameRule::Parts::Before, "X", 3); }, "Xcdef.txt"},
    {"PartsAfter", "abcdef.txt", [](RenameRule& r) { r = Parts(RenameRule::Parts::After, "X", 3); },
     "abcX.txt"},
    {"PartsWhole", "abcdef.txt", [](RenameRule& r) { r = Parts(RenameRule::Parts::Whole, "neu"); },
     "neu.txt"},
    {"PartsPastBase", "abc.txt", [](RenameRule& r) { r = Parts(RenameRule::Parts::After, "X", 4); },
     nullptr},
    {"InsertBefore", "abcdef", [](RenameRule& r) { r = Insert("_", 1, false); }, "_abcdef"},
    {"InsertAfterEnd", "abcdef", [](RenameRule& r) { r = Insert("_", 6, true); }, "abcdef_"},
    {"InsertBeforeReverse", "abcdef", [](RenameRule& r) { r = Insert("_", 2, false, true); },
     "abcd_ef"},
    {"InsertAfterReverse", "abcdef", [](RenameRule& r) { r = Insert("_", 2, true, true); },
     "abcde_f"},
    {"InsertTwoReverse", "abcdef", [](RenameRule& r) { r = Insert("XY", 1, false, true); },
     "abcdeYXf"},
    {"InsertEmojiReverse", "ab😀", [](RenameRule& r) { r = Insert("-", 1, true, true); }, "ab😀-"},
    {"InsertPastBase", "abc", [](RenameRule& r) { r = Insert("_", 4, false); }, nullptr},
    {"Special", "IMG_2034_b12.jpg", [](RenameRule& r) { r.mode = Mode::Special; }, "2034.jpg"},
    {"SpecialWithoutDigits", "abc.jpg", [](RenameRule& r) { r.mode = Mode::Special; }, "abc.jpg"},
    {"NumberPadded", "bild.jpg", [](RenameRule& r) { Numbered(r, 3); }, "bild007.jpg", 7},
    {"NumberLonger", "bild.jpg", [](RenameRule& r) { Numbered(r, 3); }, "bild1234.jpg", 1234},
    {"NumberPlacesZero", "bild.jpg", [](RenameRule& r) { Numbered(r, 0, true); }, "7bild.jpg", 7},
    {"NumberNoExtension", "README", [](RenameRule& r) { Numbered(r, 3); }, "README000"},
    {"NumberPast32Bits", "a.txt", [](RenameRule& r) { Numbered(r, 3); }, "a4294967296.txt",
     4294967296LL},
    {"Extension", "a.txt",
     [](RenameRule& r) {
         r.changeExtension = true;
         r.extension = QStringLiteral("htm");
     },
     "a.htm"},
    {"EmptyExtensionKeeps", "a.txt", [](RenameRule& r) { r.changeExtension = true; }, "a.txt"},
    {"TrailingDotKept", "name.", [](RenameRule& r) { r = Replace("a", "o", 1); }, "nome."},
    {"TrailingDotKeptNumbered", "name.", [](RenameRule& r) { Numbered(r, 2); }, "name01.", 1},
    {"EmptyName", "", [](RenameRule& r) { Numbered(r, 3); }, ""},
};

class CalcTable : public ::testing::TestWithParam<CalcCase> {};

TEST_P(CalcTable, GivesTheNewName)
{
    const CalcCase& c = GetParam();
    RenameRule rule;
    c.set(rule);
    qint64 counter = c.counter;
    const QString old = QString::fromUtf8(c.oldName);
    if (!c.expected) {
        try {
            rule.Calc(old, counter);
            ADD_FAILURE() << "no message 120";
        } catch (const AppErrorRecord& e) {
            EXPECT_EQ(e.Number, cuAppError::ErrorBase + Msg::InvalidStartPosition);
            EXPECT_EQ(e.Description.trimmed(),
                      MessageTable::text(Msg::InvalidStartPosition).trimmed());
        }
        return;
    }
    EXPECT_EQ(rule.Calc(old, counter), QString::fromUtf8(c.expected));
    EXPECT_EQ(counter, c.counter + (rule.numbering && !old.isEmpty() ? 1 : 0));
}

INSTANTIATE_TEST_SUITE_P(Rule, CalcTable, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(RenameRule, CounterAdvancesPerComputedNameAlsoWhenUnchanged)
{
    RenameRule rule;
    rule.numbering = true;
    rule.places = 4;
    qint64 counter = 7; // typed as "0007"
    EXPECT_EQ(rule.Calc(QStringLiteral("a.txt"), counter), QStringLiteral("a0007.txt"));
    rule.numbering = false;
    EXPECT_EQ(rule.Calc(QStringLiteral("a.txt"), counter), QStringLiteral("a.txt"));
    EXPECT_EQ(counter, 8);
}

TEST(RenameRule, NumberingWithoutPlacesAsksForTheField)
{
    RenameRule rule;
    rule.numbering = true;
    qint64 counter = 0;
    try {
        rule.Calc(QStringLiteral("a.txt"), counter);
        ADD_FAILURE();
    } catch (const AppErrorRecord& e) {
        EXPECT_EQ(e.Number, cuAppError::ErrorBase + Msg::FieldRequired);
    }
}

TEST(RenameRule, NumbersAndRuleChecks)
{
    EXPECT_FALSE(RenameRule::ParseNumber(QString()));
    EXPECT_EQ(RenameRule::ParseNumber(QStringLiteral("0007")), 7);
    EXPECT_EQ(RenameRule::ParseNumber(QStringLiteral("99999999999999999999999")),
              std::numeric_limits<qint64>::max());
    EXPECT_FALSE(RenameRule::ParseNumber(QStringLiteral("1a")));
    RenameRule whole = Parts(RenameRule::Parts::Whole, "x");
    EXPECT_TRUE(whole.GivesOneName());
    Numbered(whole, 3);
    EXPECT_FALSE(whole.GivesOneName());
    EXPECT_FALSE(RenameRule().HasAction());
}
} // namespace
