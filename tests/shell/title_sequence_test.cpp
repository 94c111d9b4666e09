#include "shell/title_sequence.h"

#include <gtest/gtest.h>

#include <vector>

using namespace prismel;

TEST(TitleSequence, FiftyTicksRevealShowWaitAndEnd) {
    int countdown = kTitleTicks;
    std::vector<TitleTick> ticks;
    while (countdown > 0) ticks.push_back(title_tick(countdown, true, 500));
    ASSERT_EQ(ticks.size(), 50u);
    EXPECT_EQ(ticks[0].step, TitleStep::Reveal);
    EXPECT_EQ(ticks[0].width, 20);     // n = 49: 1 x 2 x 500 / 50
    EXPECT_EQ(ticks[23].step, TitleStep::Reveal);
    EXPECT_EQ(ticks[23].width, 480);   // n = 26: 24/25 of the text
    EXPECT_EQ(ticks[24].step, TitleStep::Full);
    EXPECT_EQ(ticks[25].step, TitleStep::Wait);
    EXPECT_EQ(ticks[48].step, TitleStep::Wait);
    EXPECT_EQ(ticks[49].step, TitleStep::End);
    EXPECT_EQ(title_tick(countdown, true, 500).step, TitleStep::Idle);
    EXPECT_EQ(countdown, 0);
}

TEST(TitleSequence, AnotherWindowOnTopOnlyCountsDown) {
    int countdown = 1;
    EXPECT_EQ(title_tick(countdown, false, 500).step, TitleStep::Idle);
    EXPECT_EQ(countdown, 0);
}

TEST(TitleSequence, TitleAndClockTexts) {
    EXPECT_EQ(title_text("Notice"), " Notice Version 1.21 ");
    EXPECT_EQ(title_text(""), "  Version 1.21 ");
    std::tm t{};
    t.tm_year = 109;
    t.tm_mon = 2;
    t.tm_mday = 7;
    t.tm_hour = 14;
    t.tm_min = 5;
    t.tm_sec = 9;
    EXPECT_EQ(clock_text(t), "09/03/07 14:05:09");
}
