// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/TextUtil.h"
#include "support/TestText.h"

#include <gtest/gtest.h>

TEST(TextUtil, TrailingCharactersQuotesAndCounting)
{
    EXPECT_EQ(AddTrailing(QString(), QLatin1Char('/')), QString());
    EXPECT_EQ(AddTrailing(u("/x"), QLatin1Char('/')), u("/x/"));
    EXPECT_EQ(AddTrailing(u("/x/"), QLatin1Char('/')), u("/x/"));
    EXPECT_EQ(RemoveTrailing(u("a\\"), QLatin1Char('\\')), u("a"));
    EXPECT_EQ(RemoveTrailing(u("a"), QLatin1Char('\\')), u("a"));
    EXPECT_EQ(StripQuotes(u("  \"a b\"  ")), u("a b"));
    EXPECT_EQ(StripQuotes(u("\"a")), u("\"a"));
    EXPECT_EQ(StripQuotes(u("\"")), QString());
    EXPECT_EQ(QuoteText(u(" a "), false, true), u("\"a\""));
    EXPECT_EQ(QuoteText(u("\"a\""), false, false), u("\"a\""));
    EXPECT_EQ(QuoteText(u("\"a\""), true, false), u("\"\"a\"\""));
    EXPECT_EQ(CountChar(u("aAba"), QLatin1Char('a'), true), 2);
    EXPECT_EQ(CountChar(u("aAba"), QLatin1Char('a'), false), 3);
    EXPECT_EQ(ReplaceFirst(u("xAyA"), u("a"), u("-")), u("x-yA"));
    QString s;
    AddToString(s, u("a"), u(";"), true);
    AddToString(s, QString(), u(";"), true);
    AddToString(s, QString(), u(";"), false);
    AddToString(s, u("b"), u(";"), true);
    EXPECT_EQ(s, u("a;;b"));
}

TEST(TextUtil, SplitListAndCommandLine)
{
    QStringList parts{u("untouched")};
    EXPECT_EQ(SplitList(QString(), parts, u(";")), 0);
    EXPECT_EQ(parts, QStringList{u("untouched")});
    EXPECT_EQ(SplitList(u(";a;;b;"), parts, u(";")), 3);
    EXPECT_EQ(parts, (QStringList{u("a"), QString(), u("b")}));
    EXPECT_EQ(SplitList(u(" abc "), parts, u(";")), 1);
    EXPECT_EQ(parts, QStringList{u("abc")});
    EXPECT_EQ(SplitList(u("aXXbxxc"), parts, u("xx")), 3);
    EXPECT_EQ(parts, (QStringList{u("a"), u("b"), u("c")}));

    EXPECT_EQ(SplitCommandLine(u("/Slideshow \"/home/a b/show.cnf\""), parts), 2);
    EXPECT_EQ(parts, (QStringList{u("/Slideshow"), u("/home/a b/show.cnf")}));
    // A closing quote ends the argument even without a blank after it.
    EXPECT_EQ(SplitCommandLine(u("\"a\"b\tc"), parts), 3);
    EXPECT_EQ(parts, (QStringList{u("a"), u("b"), u("c")}));
    // A quote that never closes is an ordinary character.
    EXPECT_EQ(SplitCommandLine(u("x \"y z"), parts), 3);
    EXPECT_EQ(parts, (QStringList{u("x"), u("\"y"), u("z")}));
    EXPECT_EQ(SplitCommandLine(u("1 2 3 4 5 6 7 8 9 10 11 12"), parts), 10);
    EXPECT_EQ(parts.last(), u("10"));
    EXPECT_EQ(SplitCommandLine(u("a b c"), parts, 2), 2);
    EXPECT_EQ(SplitCommandLine(u("   "), parts), 0);
}

TEST(TextUtil, SortAndKeyFilter)
{
    QStringList items{u("b"), u("A"), u("a"), u("C")};
    SortStringArray(items, false);
    EXPECT_EQ(items.first().toLower(), u("a"));
    EXPECT_EQ(items.last(), u("C"));
    SortStringArray(items, true);
    EXPECT_EQ(items, (QStringList{u("A"), u("C"), u("a"), u("b")}));
    quint16 key = 'x';
    AllowOnlyChars(key, u("0123456789"));
    EXPECT_EQ(key, 0);
    key = '7';
    AllowOnlyChars(key, u("0123456789"));
    EXPECT_EQ(key, '7');
    key = 8;
    AllowOnlyChars(key, QString());
    EXPECT_EQ(key, 8);
}
