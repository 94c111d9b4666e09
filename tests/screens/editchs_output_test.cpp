// "出力": the chase played live at the test rate while the show is parked,
// and the show given back exactly.
#include "editchs_fixture.h"

namespace prismel::test {
namespace {

class EditchsOutput : public EditchsTest {
protected:
    static constexpr int kShowCue = 0;
    static constexpr int kShowChase = 3;

    void SetUp() override {
        for (int f = 0; f < kFixtures; ++f) patch(f, 1, f * 4);
        for (int c = 1; c < 6; ++c) set_colour(c, "C", static_cast<uint8_t>(c * 40), 10, static_cast<uint8_t>(c));
        for (int sc = 0; sc < 20; ++sc) {
            for (int f = 0; f < kFixtures; ++f) {
                g_show.scenes[sc].colour[f] = static_cast<int16_t>((f + sc) % 3 == 0 ? 1 + sc % 5 : kNone);
                g_show.scenes[sc].size[f] = static_cast<uint8_t>(f * 3);
            }
        }
        set_chase(0, {1, 2, 3, 4});
        set_chase(kShowChase, {11, 12, 13});
        use_cue(kShowCue, 10, 40, kShowChase);
        g_show.cues[kShowCue].rate = 6;
        g_show.cues[kShowCue].chase_xtime = 4;
    }

    void start_show() {
        g_engine.go_to_cue(kShowCue);
        step(7);
    }
};

TEST_F(EditchsOutput, OutputTwiceGivesTheStageBackToTheShow) {
    start_show();
    step();
    const DmxFrame expected = frame_;  // the show alone, eight steps on

    g_engine.initialise();
    while (g_engine.hold_count() > 0) g_engine.release();
    frame_ = DmxFrame{};
    start_show();
    open();
    key(kKeyF9);
    EXPECT_EQ(g_engine.snapshot_depth(), 1);
    EXPECT_EQ(fields().current_cue, kNone);
    EXPECT_EQ(fields().current_scene, kNone);
    EXPECT_EQ(fields().current_chase, 0);
    EXPECT_EQ(fields().chase_mode, 0);
    step(30);
    EXPECT_NE(frame_, expected);
    key(kKeyF9);
    EXPECT_EQ(g_engine.snapshot_depth(), 0);
    step();
    EXPECT_EQ(frame_, expected);
    EXPECT_EQ(fields().current_cue, kShowCue);
}

TEST_F(EditchsOutput, AnEmptyChaseIsNotPlayed) {
    start_show();
    g_show.chases[0].step_count = 0;
    open();
    key(kKeyF9);
    EXPECT_EQ(g_engine.snapshot_depth(), 0);
    EXPECT_EQ(fields().current_cue, kShowCue);
    EXPECT_EQ(fields().current_chase, kShowChase);
}

TEST_F(EditchsOutput, TheTestRateReachesARunningTestAtOnceAndItsCrossTimeStays) {
    open();
    input_.type("0.5");
    key(kKeyF8);
    const LineInputRequest& r = input_.requests.back();
    EXPECT_EQ(r.column, kLeft + 15);
    EXPECT_EQ(r.row, kTop + 2);
    EXPECT_EQ(r.max_length, 5);
    EXPECT_EQ(r.mode, inp_mode::kReal);
    EXPECT_DOUBLE_EQ(r.ranges.real_max, 99.9);
    EXPECT_EQ(editchs_test_rate().value(), 10);
    EXPECT_EQ(row(kRateRow, kLeft + 14, 5), "  0.5");

    key(kKeyF9);
    EXPECT_EQ(fields().rate, steps_of(StoredDuration(10)));
    EXPECT_EQ(fields().chase_cross_total, steps_of(StoredDuration(10)));
    step(3);
    const EngineFields before = fields();
    input_.type("2.5");
    key(kKeyF8);
    EXPECT_EQ(editchs_test_rate().value(), 50);
    EXPECT_EQ(fields().rate, steps_of(StoredDuration(50)));
    EXPECT_EQ(fields().rate_countdown, steps_of(StoredDuration(50)));
    EXPECT_EQ(fields().chase_cross_total, before.chase_cross_total);
    EXPECT_EQ(fields().chase_cross_remaining, before.chase_cross_remaining);
    EXPECT_EQ(row(kRateRow, kLeft + 14, 5), "  2.5");

    input_.type("100");  // refused inside the input
    key(kKeyF8);
    EXPECT_EQ(editchs_test_rate().value(), 50);
}

TEST_F(EditchsOutput, TheTestRateLeavesAnotherRunningChaseAlone) {
    start_show();
    open();
    input_.type("3");
    key(kKeyF8);
    EXPECT_EQ(fields().rate, steps_of(StoredDuration(6)));
}

TEST_F(EditchsOutput, TheStepBeingPlayedIsMarked) {
    editchs_set_test_rate(StoredDuration(2));  // 5 engine steps per chase step
    open();
    EXPECT_FALSE(marked_playing(0));
    key(kKeyF9);
    EXPECT_TRUE(marked_playing(0));
    step(5);
    ASSERT_EQ(fields().chase_step, 1);
    tick();
    EXPECT_FALSE(marked_playing(0));
    EXPECT_TRUE(marked_playing(1));
    EXPECT_EQ(cell(kLeft + 1, step_row(1)).fg, colour(WinNgFg));
    EXPECT_EQ(cell(kLeft + 2, step_row(1)).bg, colour(ColYellow));
    EXPECT_EQ(row(kRateRow, kLeft + 23, 17), "出力 ﾁｪｲｽ:  1:  2");
    key(kKeyDown);  // the cursor over the marked step: both show
    EXPECT_TRUE(marked_playing(1));
    EXPECT_EQ(cursor_slot(), 1);

    input_.type("2");  // another chase on the screen: no mark
    key(kKeyF1);
    EXPECT_FALSE(marked_playing(1));
    input_.type("1");
    key(kKeyF1);
    EXPECT_TRUE(marked_playing(1));

    key(kKeyF9);
    tick();
    EXPECT_FALSE(marked_playing(0));
    EXPECT_FALSE(marked_playing(1));
    EXPECT_EQ(row(kRateRow, kLeft + 28, 12), "OFF         ");
}

}  // namespace
}  // namespace prismel::test
