// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace {
struct Walk {
    QStringList offeredToSlideshow;
    bool slideshowAccepts = false;
    QStringList available{QStringLiteral("frmDirComp"), QStringLiteral("frmCalculator"),
                          QStringLiteral("frmTimeCalc"), QStringLiteral("frmInterestCalc")};

    CommandChoice run(const QStringList& arguments)
    {
        return ChooseFromCommandLine(
            CommandLineTokens(arguments),
            [this](const QString& path) {
                offeredToSlideshow << path;
                return slideshowAccepts;
            },
            [this](const QString& form) { return available.contains(form); });
    }
};
} // namespace

TEST(CommandLine, SwitchesChooseOneWindow)
{
    struct Case {
        const char* name;
        QStringList args;
        const char* expected;
    };
    const Case cases[] = {
        {"no arguments", {}, ""},
        {"lower case", {QStringLiteral("/calc")}, "frmCalculator"},
        {"upper case", {QStringLiteral("/CALC")}, "frmCalculator"},
        {"first switch wins",
         {QStringLiteral("/Calc"), QStringLiteral("/DirComp")},
         "frmCalculator"},
        {"path skipped", {QStringLiteral("/home/x"), QStringLiteral("/TimeCalc")}, "frmTimeCalc"},
        {"interest", {QStringLiteral("/icalc")}, "frmInterestCalc"},
        {"switch with extra characters", {QStringLiteral("/Calcx")}, ""},
        {"quoted switch", {QStringLiteral(" \"/DirComp\" ")}, "frmDirComp"},
        {"slideshow last", {QStringLiteral("/Slideshow")}, ""},
    };
    for (const Case& c : cases) {
        Walk walk;
        EXPECT_EQ(walk.run(c.args).formClass, QString::fromUtf8(c.expected)) << c.name;
    }
}

TEST(CommandLine, EleventhTokenIsNeverExamined)
{
    QStringList args;
    for (int i = 0; i < 10; ++i)
        args << QStringLiteral("x%1").arg(i);
    Walk walk;
    EXPECT_EQ(walk.run(args + QStringList{QStringLiteral("/Calc")}).formClass, QString());
    args[9] = QStringLiteral("/Calc");
    EXPECT_EQ(walk.run(args).formClass, QStringLiteral("frmCalculator"));
    EXPECT_EQ(CommandLineTokens(args + args).size(), 10);
}

TEST(CommandLine, SlideshowRunnerDecidesAndTheWalkGoesOn)
{
    Walk declines;
    const CommandChoice declined =
        declines.run({QStringLiteral("/Slideshow"), QStringLiteral("\"/home/a b/show.cnf\""),
                      QStringLiteral("/ICalc")});
    EXPECT_EQ(declines.offeredToSlideshow, QStringList{QStringLiteral("/home/a b/show.cnf")});
    EXPECT_FALSE(declined.slideshowTookOver);
    EXPECT_EQ(declined.formClass, QStringLiteral("frmInterestCalc"));

    Walk accepts;
    accepts.slideshowAccepts = true;
    const CommandChoice taken = accepts.run(
        {QStringLiteral("/SLIDESHOW"), QStringLiteral("/pics"), QStringLiteral("/Calc")});
    EXPECT_TRUE(taken.slideshowTookOver);
    EXPECT_EQ(taken.formClass, QString());
}

TEST(CommandLine, WindowsThisBuildLacksAreSkipped)
{
    Walk walk;
    walk.available = {QStringLiteral("frmTimeCalc")};
    EXPECT_EQ(walk.run({QStringLiteral("/DirComp"), QStringLiteral("/TimeCalc")}).formClass,
              QStringLiteral("frmTimeCalc"));
    EXPECT_EQ(walk.run({QStringLiteral("/DirComp")}).formClass, QString());
}
