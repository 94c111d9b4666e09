#include "engine_fixture.h"

namespace prismel::test {
namespace {

// Used cues 0, 1, 2, each with a 10-step scene fade.
class RemoteGo : public EngineTest {
protected:
    RemoteGo() {
        set_colour(1, 100, 0, 0);
        for (int c = 0; c < 3; ++c) {
            light(c, 0, 1, 255);
            set_cue(c, c, 4);
        }
    }
    int current() { return fields().current_cue; }
};

TEST_F(RemoteGo, ContactMustBeSeenOnTwoStepsAndFiresOncePerClosure) {
    port_.set_lines(true, false);
    step();
    port_.set_lines(false, false);
    step(3);
    EXPECT_EQ(current(), kNone);  // closed for one step only

    port_.set_lines(true, false);
    step();
    EXPECT_EQ(current(), kNone);
    step();
    EXPECT_EQ(current(), 0);  // the second step that sees it fires
    step(30);
    EXPECT_EQ(current(), 0);  // still closed: no further GO

    port_.set_lines(false, false);
    step();
    port_.set_lines(true, false);
    step(2);
    EXPECT_EQ(current(), 1);
}

TEST(RemoteGoAtStart, LineActiveWhenThePortOpensMustOpenBeforeItFires) {
    ShowData show;
    show.scenes[0].colour[0] = 1;
    show.cues[0].scene = 0;
    SimulatedRemotePort port;
    port.set_lines(true, true);  // as an unconnected port can read
    PlaybackEngine engine(show, port);
    engine.initialise();
    engine.release();
    DmxFrame frame{};
    for (int i = 0; i < 5; ++i) engine.step(frame);
    EXPECT_EQ(engine.fields().current_cue, kNone);
    port.set_lines(false, false);
    engine.step(frame);
    port.set_lines(true, false);
    engine.step(frame);
    engine.step(frame);
    EXPECT_EQ(engine.fields().current_cue, 0);
    engine.shut_down();
}

TEST_F(RemoteGo, HeldGoDoesNotFireAgainWhileWaitTimesAdvance) {
    cue(0).wait = 2;  // 5 steps
    port_.set_lines(true, false);
    step(2);
    ASSERT_EQ(current(), 0);
    step(5);
    EXPECT_EQ(current(), 1);  // by the wait time
    step(50);
    EXPECT_EQ(current(), 1);
}

TEST_F(RemoteGo, GoAndBackInOneStepEndOnTheSameCueWithItsFadesRestarted) {
    engine_.go_to_cue(1);
    step(12);
    ASSERT_EQ(fields().scene_cross_remaining, 0);
    port_.set_lines(true, true);
    step(2);
    EngineFields f = fields();
    EXPECT_EQ(f.current_cue, 1);
    EXPECT_EQ(f.scene_cross_remaining, f.scene_cross_total - 1);
    EXPECT_EQ(f.scene_cross_total, 10);
}

TEST_F(RemoteGo, BackFromTheFirstUsedCueIsStandby) {
    engine_.go_to_cue(0);
    port_.set_lines(false, true);
    step(2);
    EXPECT_EQ(current(), kNone);
}

TEST_F(RemoteGo, FailedReadLeavesTheLineStatesAlone) {
    port_.set_lines(true, false);
    step();
    port_.set_read_fails(true);
    step(4);
    EXPECT_EQ(fields().remote.go_state, kLineSeenOnce);
    port_.set_read_fails(false);
    step();
    EXPECT_EQ(current(), 0);
}

TEST_F(RemoteGo, OpenedPortIsPolledOncePerStepAndClosedOnce) {
    EXPECT_EQ(port_.opens(), 1);
    EXPECT_TRUE(port_.rts());
    const int at_open = port_.reads();  // the one read that arms the lines
    EXPECT_EQ(at_open, 1);
    step(7);
    EXPECT_EQ(port_.reads(), at_open + 7);
    engine_.shut_down();
    engine_.shut_down();
    EXPECT_EQ(port_.closes(), 1);
}

TEST(RemotePortMissing, NeverTouchedAfterAFailedOpenAndWaitGoStillServed) {
    auto show = std::make_unique<ShowData>();
    show->cues[0].scene = 0;
    show->cues[0].wait = 1;  // 3 steps
    show->cues[1].scene = 1;
    SimulatedRemotePort port(false);
    port.set_lines(true, true);
    PlaybackEngine engine(*show, port);
    engine.initialise();
    engine.release();
    engine.go_to_cue(0);
    DmxFrame frame{};
    for (int i = 0; i < 4; ++i) engine.step(frame);
    EXPECT_EQ(engine.fields().current_cue, 1);
    engine.shut_down();
    EXPECT_EQ(port.opens(), 1);
    EXPECT_EQ(port.rts_calls(), 0);
    EXPECT_EQ(port.reads(), 0);
    EXPECT_EQ(port.closes(), 0);
}

}  // namespace
}  // namespace prismel::test
