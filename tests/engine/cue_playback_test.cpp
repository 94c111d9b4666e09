#include "engine_fixture.h"

namespace prismel::test {
namespace {

// Used cues at 2, 4 and 6; each lights fixture 0 (layout 3, slot 0) with its
// own Y level.
class CuePlayback : public EngineTest {
protected:
    CuePlayback() {
        set_colour(1, 20, 0, 0);
        set_colour(2, 40, 0, 0);
        set_colour(3, 60, 0, 0);
        light(10, 0, 1, 255);
        light(11, 0, 2, 255);
        light(12, 0, 3, 255);
        set_cue(2, 10, 0);
        set_cue(4, 11, 0);
        set_cue(6, 12, 4);  // 10-step fade
        patch(0, 3, 0);
    }
    void go() { engine_.go_to_cue(show().cues.next_used(fields().current_cue)); }
    int current() { return fields().current_cue; }
};

TEST_F(CuePlayback, WaitTimeGoFromTheKeyboardAndFromTheStep) {
    cue(2).wait = 8;  // 20 steps
    cue(4).wait = 8;
    engine_.go_to_cue(2);
    step(20);
    EXPECT_EQ(current(), 2);
    EXPECT_EQ(fields().remote.go_request, 1);  // due, served by the next step
    step();  // the 21st step after the call
    EXPECT_EQ(current(), 4);
    EXPECT_EQ(frame_[0], 40);
    step(19);
    EXPECT_EQ(current(), 4);
    step();  // a cue called by the step is followed 20 steps later
    EXPECT_EQ(current(), 6);
}

TEST_F(CuePlayback, GoFromTheKeyboardDropsAGoThatFellDueJustBefore) {
    cue(2).wait = 8;
    engine_.go_to_cue(2);
    step(20);
    ASSERT_EQ(fields().remote.go_request, 1);
    engine_.go_to_cue(6);
    step();
    EXPECT_EQ(current(), 6);  // not skipped on to standby

    // An editor taking the stage in that window keeps it.
    engine_.go_to_cue(2);
    step(20);
    engine_.push_snapshot();
    engine_.go_to_cue(kNone);
    step(3);
    EXPECT_EQ(current(), kNone);
    // Giving the show back restores the due GO with it.
    engine_.pop_snapshot(0);
    step();
    EXPECT_EQ(current(), 4);
}

TEST_F(CuePlayback, GoOnTheLastUsedCueIsStandbyWithoutFade) {
    engine_.go_to_cue(6);
    step(3);
    ASSERT_GT(frame_[0], 0);
    go();
    EXPECT_EQ(current(), kNone);
    step();
    EXPECT_EQ(frame_[0], 0);
    EXPECT_EQ(fields().current_scene, kNone);
    go();
    EXPECT_EQ(current(), 2);
    step();
    EXPECT_EQ(frame_[0], 20);
}

TEST_F(CuePlayback, WaitOfZeroOrLessWaitsForGo) {
    cue(2).wait = -40;
    engine_.go_to_cue(2);
    step(200);
    EXPECT_EQ(current(), 2);
    EXPECT_EQ(fields().wait_countdown, 0);
}

TEST_F(CuePlayback, PreviewAnimatesWithoutTouchingTheOutput) {
    light(31, 1, 1, 255);
    set_chase(4, {10, 31, 10});
    set_cue(9, 12, 0, 4, 2);  // preview rate 5 steps
    engine_.go_to_cue(2);
    step();
    engine_.set_preview_cue(9);
    EngineFields f = fields();
    EXPECT_EQ(f.show_running, 0);
    EXPECT_EQ(f.preview_scene, 12);
    EXPECT_EQ(f.preview_chase, 4);
    step(5);
    EXPECT_EQ(fields().preview_step, 1);
    step(10);
    EXPECT_EQ(fields().preview_step, 0);  // always loops
    EXPECT_EQ(frame_[0], 20);             // still cue 2
    EXPECT_EQ(current(), 2);
    engine_.set_show_running();
    step(20);
    EXPECT_EQ(fields().preview_step, 0);  // stands still while the show runs

    engine_.set_preview_cue(2);  // a cue without chase
    EXPECT_EQ(fields().preview_chase, kNone);
    engine_.set_preview_cue(kNone);
    EXPECT_EQ(fields().preview_cue, kNone);
    EXPECT_EQ(fields().preview_scene, kNone);
}

TEST_F(CuePlayback, RaisedHoldKeepsTheFrameButNotTheClock) {
    cue(2).wait = 2;  // 5 steps
    engine_.go_to_cue(2);
    step();
    engine_.hold();
    engine_.call_scene(11, sd(0));
    frame_[0] = 0xEE;
    step(5);
    EXPECT_EQ(frame_[0], 0xEE);  // nothing rendered
    EXPECT_EQ(engine_.monitor()[kLevelY], 20);
    engine_.release();
    EXPECT_EQ(current(), 4);  // the wait ran and its GO was served meanwhile
    step();
    EXPECT_EQ(frame_[0], 40);
}

}  // namespace
}  // namespace prismel::test
