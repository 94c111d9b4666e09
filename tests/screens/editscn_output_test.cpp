// The scene editor's "出力" switch: the edited scene on stage with the show
// parked, and the show given back exactly, fades and chase included.
#include <vector>

#include "editscn_fixture.h"

namespace prismel::test {
namespace {

class EditscnOutput : public EditscnTest {
protected:
    void SetUp() override {
        for (int f = 0; f < kFixtures; ++f) patch(f, f % 4 + 1, f * 4);
        set_colour(1, "AMB", 10, 80, 0);
        set_colour(2, "BLU", 200, 120, 0);
        set_colour(3, "RED", 0, 255, 255);
        for (int f = 0; f < 32; ++f) {
            g_show.scenes[5].colour[f] = 1;
            g_show.scenes[5].size[f] = 200;
        }
        for (int f = 32; f < kFixtures; ++f) g_show.scenes[6].colour[f] = 2;
        for (int f = 40; f < kFixtures; ++f) g_show.scenes[7].colour[f] = 3;
        set_chase(0, {6, 7});
        g_show.chases[0].step_count = 2;
        use_cue(0, 5, 40, 0);  // a scene fading in over 40 and a chase stepping
        g_show.cues[0].rate = 6;
        g_show.cues[0].chase_xtime = 3;
        for (int f = 0; f < 8; ++f) {
            g_show.scenes[0].colour[f] = 3;
            g_show.scenes[0].size[f] = 255;
        }
    }

    // The show's frames: the cue started, `before` steps, then `n` frames.
    std::vector<DmxFrame> frames(int n) {
        std::vector<DmxFrame> out;
        for (int i = 0; i < n; ++i) {
            step();
            out.push_back(frame_);
        }
        return out;
    }
    void start_show() {
        g_engine.go_to_cue(0);
        step(9);
    }
};

TEST_F(EditscnOutput, TwoPressesGiveTheStageBackExactly) {
    start_show();
    const DmxFrame at_press = frame_;
    const EngineFields show = fields();
    const std::vector<DmxFrame> expected = frames(30);

    // The same show again, now with the editor's output in between.
    g_engine.initialise();
    while (g_engine.hold_count() > 0) g_engine.release();
    frame_ = DmxFrame{};
    start_show();
    ASSERT_EQ(frame_, at_press);
    open();
    key(kKeyF9);
    EXPECT_EQ(g_engine.snapshot_depth(), 1);
    EXPECT_EQ(fields().current_cue, kNone);
    EXPECT_EQ(fields().current_scene, 0);
    EXPECT_EQ(fields().current_chase, kNone);
    step(12);
    EXPECT_EQ(frame_[0], 255);  // fixture 1 (layout 1): full size, the scene cut in
    EXPECT_NE(frame_, at_press);
    tick();
    EXPECT_EQ(row(kHeaderRow, kLeft + 48, 17), "出力 ｼｰﾝ:  1     ");

    key(kKeyF9);
    EXPECT_EQ(g_engine.snapshot_depth(), 0);
    EXPECT_EQ(fields().current_cue, show.current_cue);
    EXPECT_EQ(fields().scene_cross_remaining, show.scene_cross_remaining);
    EXPECT_EQ(fields().chase_step, show.chase_step);
    EXPECT_EQ(frames(30), expected);
}

TEST_F(EditscnOutput, EditsReachTheStageOnlyAtTheNextPressOn) {
    open();
    key(kKeyF9);
    step();
    EXPECT_EQ(frame_[1], 255);  // fixture 1 (size, M, C, Y) plays RED
    EXPECT_EQ(frame_[2], 255);
    input_.type("AMB");
    key(kKeyF3);  // the cursor fixture, 1, now AMB in the scene
    ASSERT_EQ(+g_show.scenes[0].colour[0], 1);
    step(3);
    EXPECT_EQ(frame_[2], 255);  // the stage still plays the scene as it was
    key(kKeyF9);
    key(kKeyF9);
    step();
    EXPECT_EQ(frame_[1], 80);
    EXPECT_EQ(frame_[2], 0);
}

TEST_F(EditscnOutput, NoSceneNoOutput) {
    start_show();
    editscn_set_scene(kNone);
    open();
    key(kKeyF9);
    EXPECT_EQ(g_engine.snapshot_depth(), 0);
    EXPECT_EQ(fields().current_cue, 0);
}

}  // namespace
}  // namespace prismel::test
