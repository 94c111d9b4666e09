#include "engine_fixture.h"

namespace prismel::test {
namespace {

class Snapshots : public EngineTest {
protected:
    // Snapshot k (from the bottom) is told apart by its current scene k.
    void push(int n) {
        for (int k = 0; k < n; ++k) {
            engine_.call_scene(k, sd(0));
            engine_.push_snapshot();
        }
        engine_.call_scene(100, sd(0));
    }
};

TEST_F(Snapshots, PopToADepthTheStackDoesNotExceedChangesNothing) {
    push(2);
    EXPECT_EQ(engine_.pop_snapshot(2), 0);
    EXPECT_EQ(engine_.pop_snapshot(7), 0);
    EXPECT_EQ(engine_.snapshot_depth(), 2);
    EXPECT_EQ(fields().current_scene, 100);
}

TEST_F(Snapshots, PopToDepthTwoOfFiveRestoresTheThirdFromTheBottom) {
    push(5);
    EXPECT_EQ(engine_.pop_snapshot(2), 1);
    EXPECT_EQ(engine_.snapshot_depth(), 2);
    EXPECT_EQ(fields().current_scene, 2);
}

TEST_F(Snapshots, PopTopAndEmptyStack) {
    EXPECT_EQ(engine_.pop_snapshot(-1), 0);
    push(3);
    EXPECT_EQ(engine_.pop_snapshot(-1), 1);
    EXPECT_EQ(fields().current_scene, 2);
    EXPECT_EQ(engine_.pop_snapshot(0), 1);
    EXPECT_EQ(fields().current_scene, 0);
    EXPECT_EQ(engine_.snapshot_depth(), 0);
}

// An editor plays something else in the middle of a fade and a chase; after
// the pop the show goes on frame for frame as if it had never been left.
TEST_F(Snapshots, TheLiveShowComesBackExactly) {
    for (int c = 1; c <= 3; ++c) set_colour(c, static_cast<uint8_t>(60 * c), static_cast<uint8_t>(30 * c), 5);
    for (int f = 0; f < kFixtures; ++f) {
        patch(f, 1 + f % 4, 4 * f);
        if (f < 32) light(1, f, 1, 200);
        light(2, f, 2, 100);
        light(3, f, 3, 50);
    }
    set_chase(0, {2, 3});
    set_cue(0, 1, 8, 0, 3, 2, 0, 30);
    set_cue(1, 3, 0);
    engine_.set_call_mode(1);
    engine_.set_scene_page(7);

    SimulatedRemotePort other_port;
    PlaybackEngine reference(show(), other_port);
    reference.initialise();
    reference.release();
    reference.set_call_mode(1);
    reference.set_scene_page(7);
    DmxFrame ref_frame{};
    engine_.go_to_cue(0);
    reference.go_to_cue(0);
    for (int i = 0; i < 9; ++i) {
        step();
        reference.step(ref_frame);
    }
    engine_.push_snapshot();
    engine_.go_to_cue(1);
    engine_.set_call_mode(0);
    engine_.start_chase(0, sd(1), sd(1), 1);
    step(13);
    ASSERT_NE(frame_, ref_frame);
    ASSERT_EQ(engine_.pop_snapshot(0), 1);
    for (int i = 0; i < 120; ++i) {
        step();
        reference.step(ref_frame);
        ASSERT_EQ(frame_, ref_frame) << "step " << i;
    }
    EXPECT_EQ(fields().call_mode, 1);
    EXPECT_EQ(fields().scene_page, 7);
    EXPECT_EQ(fields().current_cue, reference.fields().current_cue);
}

}  // namespace
}  // namespace prismel::test
