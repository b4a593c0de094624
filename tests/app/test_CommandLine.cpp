// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"
#include "support/TestText.h"

#include <gtest/gtest.h>

namespace {
struct Walk {
    QStringList offeredToSlideshow;
    bool slideshowAccepts = false;
    QStringList available{u("frmDirComp"), u("frmCalculator"), u("frmTimeCalc"),
                          u("frmInterestCalc")};

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
        {"lower case", {u("/calc")}, "frmCalculator"},
        {"upper case", {u("/CALC")}, "frmCalculator"},
        {"first switch wins", {u("/Calc"), u("/DirComp")}, "frmCalculator"},
        {"path skipped", {u("/home/x"), u("/TimeCalc")}, "frmTimeCalc"},
        {"interest", {u("/icalc")}, "frmInterestCalc"},
        {"switch with extra characters", {u("/Calcx")}, ""},
        {"quoted switch", {u(" \"/DirComp\" ")}, "frmDirComp"},
        {"slideshow last", {u("/Slideshow")}, ""},
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
        args << u("x%1").arg(i);
    Walk walk;
    EXPECT_EQ(walk.run(args + QStringList{u("/Calc")}).formClass, QString());
    args[9] = u("/Calc");
    EXPECT_EQ(walk.run(args).formClass, u("frmCalculator"));
    EXPECT_EQ(CommandLineTokens(args + args).size(), 10);
}

TEST(CommandLine, SlideshowRunnerDecidesAndTheWalkGoesOn)
{
    Walk declines;
    const CommandChoice declined =
        declines.run({u("/Slideshow"), u("\"/home/a b/show.cnf\""), u("/ICalc")});
    EXPECT_EQ(declines.offeredToSlideshow, QStringList{u("/home/a b/show.cnf")});
    EXPECT_FALSE(declined.slideshowTookOver);
    EXPECT_EQ(declined.formClass, u("frmInterestCalc"));

    Walk accepts;
    accepts.slideshowAccepts = true;
    const CommandChoice taken = accepts.run({u("/SLIDESHOW"), u("/pics"), u("/Calc")});
    EXPECT_TRUE(taken.slideshowTookOver);
    EXPECT_EQ(taken.formClass, QString());
}

TEST(CommandLine, WindowsThisBuildLacksAreSkipped)
{
    Walk walk;
    walk.available = {u("frmTimeCalc")};
    EXPECT_EQ(walk.run({u("/DirComp"), u("/TimeCalc")}).formClass, u("frmTimeCalc"));
    EXPECT_EQ(walk.run({u("/DirComp")}).formClass, QString());
}
