// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/SlideFit.h"
#include "pictures/SlideshowCursor.h"
#include "support/TestText.h"

#include <gtest/gtest.h>

#include <map>

namespace {
const QStringList kThree = {QStringLiteral("/b/c.JPG"), QStringLiteral("/b/A.bmp"),
                            QStringLiteral("/b/b.jpg")};

// Plays `actions` on the cursor, each picture asked for shown at once:
// T tick, t tick while minimised, F P N L first/previous/next/last,
// > play, | stop. The trace lists the pictures shown, "!" where the show ended.
QString Play(SlideshowCursor& cursor, const char* actions)
{
    using Move = SlideshowCursor::Step (SlideshowCursor::*)(bool);
    const std::map<char, Move> moves = {{'T', &SlideshowCursor::Tick},
                                        {'F', &SlideshowCursor::First},
                                        {'P', &SlideshowCursor::Previous},
                                        {'N', &SlideshowCursor::Next},
                                        {'L', &SlideshowCursor::Last}};
    QStringList trace;
    for (const char* a = actions; *a; ++a) {
        SlideshowCursor::Step step;
        if (*a == '>')
            cursor.Play();
        else if (*a == '|')
            cursor.Stop();
        else
            step = (cursor.*moves.at(*a == 't' ? 'T' : *a))(*a == 't');
        if (step.show >= 0) {
            cursor.SetShown(step.show);
            trace << QString::number(step.show) + (step.ended ? QStringLiteral("!") : QString());
        }
    }
    return trace.join(QLatin1Char(' '));
}
} // namespace

TEST(SlideshowCursor, AShowFollowsTicksKeysAndButtons)
{
    const struct {
        const char* actions;
        const char* trace;
        const char* status;
        const char* buttons; // enabled: First Previous Next Last Play Stop
    } cases[] = {
        {"T", "0", "1 von 3 - Playing - 5 Sek.", "--NL-S"},
        {"TTT", "0 1 2!", "3 von 3 - Stopped - 5 Sek.", "FP--P-"},
        {"TP", "0", "1 von 3 - Playing - 5 Sek.", "--NL-S"}, // nothing before the first
        {"TT|P", "0 1 0", "1 von 3 - Stopped - 5 Sek.", "--NLP-"},
        {"TT|", "0 1", "2 von 3 - Stopped - 5 Sek.", "FPNLP-"}, // the picture on screen
        {"T|N", "0 1", "2 von 3 - Stopped - 5 Sek.", "FPNLP-"},
        {"T|L", "0 2!", "3 von 3 - Stopped - 5 Sek.", "FP--P-"},
        {"T|NN", "0 1 2!", "3 von 3 - Stopped - 5 Sek.", "FP--P-"},
        {"TNT", "0 1", "2 von 3 - Playing - 5 Sek.", "FPNL-S"}, // keeps playing
        {"TLT", "0 2!", "3 von 3 - Stopped - 5 Sek.", "FP--P-"},
        {"TtT", "0 1", "2 von 3 - Playing - 5 Sek.", "FPNL-S"}, // minimised: no slide
        {"TTT>T", "0 1 2! 0", "1 von 3 - Playing - 5 Sek.", "--NL-S"},
        {"TTTN", "0 1 2!", "3 von 3 - Stopped - 5 Sek.", "FP--P-"},
        {"TT|F", "0 1 0", "1 von 3 - Stopped - 5 Sek.", "--NLP-"},
    };
    for (const auto& c : cases) {
        SlideshowCursor cursor;
        cursor.StartShow(kThree, 5000);
        EXPECT_EQ(Play(cursor, c.actions), QLatin1String(c.trace)) << c.actions;
        EXPECT_EQ(cursor.StatusText(), QString::fromUtf8(c.status)) << c.actions;
        const bool states[] = {cursor.CanFirst(), cursor.CanPrevious(), cursor.CanNext(),
                               cursor.CanLast(),  cursor.CanPlay(),     cursor.CanStop()};
        QString buttons;
        for (int i = 0; i < 6; ++i)
            buttons += states[i] ? QLatin1Char("FPNLPS"[i]) : QLatin1Char('-');
        EXPECT_EQ(buttons, QLatin1String(c.buttons)) << c.actions;
    }
}

TEST(SlideshowCursor, ListOrderCaptionAndOnePicture)
{
    SlideshowCursor cursor;
    cursor.StartShow(kThree + QStringList{QStringLiteral("/b/a.bmp")}, 5000);
    EXPECT_EQ(cursor.Files(), (QStringList{"/b/A.bmp", "/b/a.bmp", "/b/b.jpg", "/b/c.JPG"}));
    Play(cursor, "TT");
    EXPECT_EQ(cursor.Caption(), QStringLiteral("Slideshow: /b/a.bmp"));

    cursor.StartShow({QStringLiteral("/x/only.png")}, 5000);
    EXPECT_EQ(Play(cursor, "T>T"), QStringLiteral("0! 0!"));
    EXPECT_EQ(cursor.StatusText(), QStringLiteral("1 von 1 - Stopped - 5 Sek."));
}

TEST(SlideshowCursor, TheTimerStartsFastThenKeepsTheInterval)
{
    SlideshowCursor cursor;
    cursor.StartShow(kThree, 5000);
    EXPECT_TRUE(cursor.Playing());
    EXPECT_EQ(cursor.TimerInterval(), SlideshowCursor::kFirstSlideMs);
    const quint32 starts = cursor.TimerStarts();
    Play(cursor, "T");
    EXPECT_EQ(cursor.TimerInterval(), 5000);
    // Navigating while playing: the next picture after a moment, then on.
    Play(cursor, "N");
    EXPECT_EQ(cursor.TimerInterval(), SlideshowCursor::kFirstSlideMs);
    EXPECT_EQ(cursor.TimerStarts(), starts + 1);
    // "3" while playing changes the timer at once.
    Play(cursor, "T");
    EXPECT_TRUE(cursor.ChooseInterval(2));
    EXPECT_EQ(cursor.TimerInterval(), 3000);
    EXPECT_EQ(cursor.StatusText(), QStringLiteral("2 von 3 - Playing - 3 Sek."));
    EXPECT_FALSE(cursor.ChooseInterval(2)) << "the same entry again changes nothing";
}

TEST(SlideFit, PicturesFillTheWidthOrTheHeightAtTheTop)
{
    const struct {
        QSize inner;
        int strip;
        QSize picture;
        QRect fitted;
    } cases[] = {
        {{400, 400}, 0, {100, 50}, {0, 0, 400, 200}},
        {{400, 400}, 0, {50, 100}, {100, 0, 200, 400}},
        {{400, 440}, 40, {50, 100}, {100, 0, 200, 400}}, // the strip's height is taken off
        {{400, 400}, 0, {4000, 4000}, {0, 0, 400, 400}},
        {{300, 200}, 0, {3000, 1000}, {0, 0, 300, 100}},
        {{0, 0}, 0, {100, 50}, {}}, // a minimised window: nothing to fit into
        {{400, 40}, 40, {100, 50}, {}},
        {{400, 400}, 0, {0, 50}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SlideFit(c.inner, c.strip, c.picture), c.fitted)
            << c.inner.width() << "x" << c.inner.height() << " " << c.picture.width();
    EXPECT_EQ(SlideDecodeSize({8000, 6000}, {800, 600}, 2.0), QSize(1600, 1200));
    EXPECT_EQ(SlideDecodeSize({100, 50}, {400, 200}, 1.0), QSize(100, 50)) << "never enlarged";
}
