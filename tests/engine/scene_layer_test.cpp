#include "engine_fixture.h"

namespace prismel::test {
namespace {

class SceneLayer : public EngineTest {
protected:
    SceneLayer() {
        set_colour(7, 200, 100, 50);  // Y M C
        light(3, 0, 7, 255);
        light(3, 1, kNone, 40);  // size without a colour
        patch(0, 1, 0);
        patch(1, 1, 4);
    }
};

TEST_F(SceneLayer, TenStepCrossfadeOutLevelsAndExactTarget) {
    // 4 stored (0.2 s) is 10 engine steps.
    engine_.call_scene(3, sd(4));
    const int expected_out[10] = {229, 204, 178, 153, 127, 102, 76, 51, 25, 0};
    for (int k = 0; k < 10; ++k) {
        step();
        EngineFields f = fields();
        ASSERT_EQ(f.scene_out, expected_out[k]) << "step " << k + 1;
        EXPECT_EQ(f.scene_in, 255 - expected_out[k]);
        EXPECT_EQ(frame_[3], (200 * (255 - expected_out[k]) + 255) >> 8);  // Y from 0
    }
    // Layout 1: size, M, C, Y.
    EXPECT_EQ(frame_[0], 255);
    EXPECT_EQ(frame_[1], 100);
    EXPECT_EQ(frame_[2], 50);
    EXPECT_EQ(frame_[3], 200);
    EXPECT_EQ(frame_[4], 40);  // the size-only fixture
    EXPECT_EQ(frame_[5], 0);
    step(3);
    EXPECT_EQ(fields().scene_out, 0);
    EXPECT_EQ(frame_[3], 200);
}

TEST_F(SceneLayer, CutShowsTheSceneAtTheNextStep) {
    engine_.call_scene(3, sd(0));
    step();
    EXPECT_EQ(frame_[0], 255);
    EXPECT_EQ(frame_[3], 200);
}

TEST_F(SceneLayer, NoneBlacksOutAtTheNextStepWhateverTheCrossTime) {
    engine_.call_scene(3, sd(0));
    step();
    engine_.call_scene(kNone, sd(40));
    step();
    for (int s = 0; s < 8; ++s) EXPECT_EQ(frame_[s], 0) << "slot " << s;
    EXPECT_EQ(fields().current_scene, kNone);
}

TEST_F(SceneLayer, NewCallFadesFromThePictureOfTheMoment) {
    light(4, 0, kNone, 0);  // scene 4 leaves fixture 0 dark
    set_colour(8, 0, 0, 0);
    light(4, 2, 8, 10);
    engine_.call_scene(3, sd(4));
    step(5);  // half-way: out 127
    const int half_y = frame_[3];
    ASSERT_EQ(half_y, (200 * 128 + 255) >> 8);
    engine_.call_scene(4, sd(4));
    step();
    // From the half-way level to 0 with out 229.
    EXPECT_EQ(frame_[3], (half_y * 229 + 255) >> 8);
    step(9);
    EXPECT_EQ(frame_[3], 0);
}

TEST_F(SceneLayer, NegativeCrossTimeIsACut) {
    engine_.call_scene(3, sd(-300));
    step();
    EXPECT_EQ(frame_[3], 200);
    EXPECT_EQ(fields().scene_cross_total, 0);
}

}  // namespace
}  // namespace prismel::test
