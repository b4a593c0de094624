// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/TextUtil.h"

#include <gtest/gtest.h>

TEST(TextUtil, TrailingCharacters)
{
    EXPECT_EQ(AddTrailing(QString(), QLatin1Char('/')), QString());
    EXPECT_EQ(AddTrailing(QStringLiteral("/x"), QLatin1Char('/')), QStringLiteral("/x/"));
    EXPECT_EQ(AddTrailing(QStringLiteral("/x/"), QLatin1Char('/')), QStringLiteral("/x/"));
    EXPECT_EQ(RemoveTrailing(QStringLiteral("a\\"), QLatin1Char('\\')), QStringLiteral("a"));
    EXPECT_EQ(RemoveTrailing(QStringLiteral("a"), QLatin1Char('\\')), QStringLiteral("a"));
}

TEST(TextUtil, QuotesAndCounting)
{
    EXPECT_EQ(StripQuotes(QStringLiteral("  \"a b\"  ")), QStringLiteral("a b"));
    EXPECT_EQ(StripQuotes(QStringLiteral("\"a")), QStringLiteral("\"a"));
    EXPECT_EQ(StripQuotes(QStringLiteral("\"")), QString());
    EXPECT_EQ(QuoteText(QStringLiteral(" a "), false, true), QStringLiteral("\"a\""));
    EXPECT_EQ(QuoteText(QStringLiteral("\"a\""), false, false), QStringLiteral("\"a\""));
    EXPECT_EQ(QuoteText(QStringLiteral("\"a\""), true, false), QStringLiteral("\"\"a\"\""));
    EXPECT_EQ(CountChar(QStringLiteral("aAba"), QLatin1Char('a'), true), 2);
    EXPECT_EQ(CountChar(QStringLiteral("aAba"), QLatin1Char('a'), false), 3);
    EXPECT_EQ(ReplaceFirst(QStringLiteral("xAyA"), QStringLiteral("a"), QStringLiteral("-")),
              QStringLiteral("x-yA"));
    QString s;
    AddToString(s, QStringLiteral("a"), QStringLiteral(";"), true);
    AddToString(s, QString(), QStringLiteral(";"), true);
    AddToString(s, QString(), QStringLiteral(";"), false);
    AddToString(s, QStringLiteral("b"), QStringLiteral(";"), true);
    EXPECT_EQ(s, QStringLiteral("a;;b"));
}

TEST(TextUtil, SplitList)
{
    QStringList parts{QStringLiteral("untouched")};
    EXPECT_EQ(SplitList(QString(), parts, QStringLiteral(";")), 0);
    EXPECT_EQ(parts, QStringList{QStringLiteral("untouched")});
    EXPECT_EQ(SplitList(QStringLiteral(";a;;b;"), parts, QStringLiteral(";")), 3);
    EXPECT_EQ(parts, (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}));
    EXPECT_EQ(SplitList(QStringLiteral(" abc "), parts, QStringLiteral(";")), 1);
    EXPECT_EQ(parts, QStringList{QStringLiteral("abc")});
    EXPECT_EQ(SplitList(QStringLiteral("aXXbxxc"), parts, QStringLiteral("xx")), 3);
    EXPECT_EQ(parts, (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
}

TEST(TextUtil, SplitCommandLine)
{
    QStringList args;
    EXPECT_EQ(SplitCommandLine(QStringLiteral("/Slideshow \"/home/a b/show.cnf\""), args), 2);
    EXPECT_EQ(args,
              (QStringList{QStringLiteral("/Slideshow"), QStringLiteral("/home/a b/show.cnf")}));
    // A closing quote ends the argument even without a blank after it.
    EXPECT_EQ(SplitCommandLine(QStringLiteral("\"a\"b\tc"), args), 3);
    EXPECT_EQ(args, (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    // A quote that never closes is an ordinary character.
    EXPECT_EQ(SplitCommandLine(QStringLiteral("x \"y z"), args), 3);
    EXPECT_EQ(args, (QStringList{QStringLiteral("x"), QStringLiteral("\"y"), QStringLiteral("z")}));
    EXPECT_EQ(SplitCommandLine(QStringLiteral("1 2 3 4 5 6 7 8 9 10 11 12"), args), 10);
    EXPECT_EQ(args.last(), QStringLiteral("10"));
    EXPECT_EQ(SplitCommandLine(QStringLiteral("a b c"), args, 2), 2);
    EXPECT_EQ(SplitCommandLine(QStringLiteral("   "), args), 0);
}

TEST(TextUtil, SortAndKeyFilter)
{
    QStringList items{QStringLiteral("b"), QStringLiteral("A"), QStringLiteral("a"),
                      QStringLiteral("C")};
    SortStringArray(items, false);
    EXPECT_EQ(items.first().toLower(), QStringLiteral("a"));
    EXPECT_EQ(items.last(), QStringLiteral("C"));
    SortStringArray(items, true);
    EXPECT_EQ(items, (QStringList{QStringLiteral("A"), QStringLiteral("C"), QStringLiteral("a"),
                                  QStringLiteral("b")}));
    quint16 key = 'x';
    AllowOnlyChars(key, QStringLiteral("0123456789"));
    EXPECT_EQ(key, 0);
    key = '7';
    AllowOnlyChars(key, QStringLiteral("0123456789"));
    EXPECT_EQ(key, '7');
    key = 8;
    AllowOnlyChars(key, QString());
    EXPECT_EQ(key, 8);
}
