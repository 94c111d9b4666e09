// One engine's live state installed in another with the same show: from
// then on both render the same frames, fades and chases included; an
// editor's test on either side stays that console's own. (States no engine
// can hold are refused by the link's reader and again here: the table of
// tests/backup/link_message_test.cpp.)
#include <gtest/gtest.h>

#include "engine/engine_mirror.h"
#include "engine_fixture.h"

namespace prismel::test {
namespace {

class EngineMirrorTest : public EngineTest {
protected:
    EngineMirrorTest() : other_(show(), other_port_) {
        other_.initialise();
        other_.release();
        set_colour(400, 10, 20, 30);
        light(0, 0, 400, 255);
        light(1, 1, 400, 200);
        light(2, 2, 400, 150);
        set_chase(0, {1, 2});
        set_cue(0, 0, 40, 0, 10, 10, 0, 30);  // a scene fade, a fading chase, a wait
        set_cue(1, 1, 60, kNone);
        for (int f = 0; f < 3; ++f) patch(f, 1, 4 * f);
    }
    ~EngineMirrorTest() override { other_.shut_down(); }

    // Both step n times; the first frame that differs, or -1.
    int first_difference(int n) {
        DmxFrame other_frame{};
        for (int i = 0; i < n; ++i) {
            step();
            other_.step(other_frame);
            if (other_frame != frame_) return i;
        }
        return -1;
    }

    SimulatedRemotePort other_port_;
    PlaybackEngine other_;
};

TEST_F(EngineMirrorTest, TheBackupRendersThePrimarysFramesFromTheInstallOn) {
    engine_.go_to_cue(0);
    step(17);  // inside the scene fade, the chase between its steps
    ASSERT_TRUE(other_.install_live_state(engine_.live_state()));
    EXPECT_EQ(first_difference(200), -1) << "through the fade, the chase and the automatic GO";

    // The backup's editor tests something: the live show waits in its
    // bottom snapshot, takes the primary's state there and comes back with it.
    other_.push_snapshot();
    other_.call_scene(2, StoredDuration(0));
    engine_.go_to_cue(0);
    ASSERT_TRUE(other_.install_live_state(engine_.live_state()));
    EXPECT_EQ(other_.fields().current_scene, 2);
    ASSERT_EQ(other_.pop_snapshot(0), 1);
    EXPECT_EQ(first_difference(100), -1);

    // The primary's editor tests something: what it hands on is its live show.
    const int live_cue = engine_.fields().current_cue;
    engine_.push_snapshot();
    engine_.go_to_cue(kNone);
    engine_.set_colour_preview(400);
    EXPECT_EQ(engine_.live_state().fields.colour_preview, kNone);
    EXPECT_EQ(engine_.live_state().fields.current_cue, live_cue);
}

}  // namespace
}  // namespace prismel::test
