#include <vector>

#include "engine/crossfade.h"
#include "engine_fixture.h"

namespace prismel::test {
namespace {

// Chase 5 steps fixture 0 through Y = 100, 150, 200 (scenes 11, 12, 13);
// fixture 0 is patched in layout 3, so frame slot 0 is its Y level.
class ChaseLayer : public EngineTest {
protected:
    ChaseLayer() {
        set_colour(1, 100, 0, 0);
        set_colour(2, 150, 0, 0);
        set_colour(3, 200, 0, 0);
        set_colour(4, 99, 0, 0);
        light(11, 0, 1, 100);
        light(12, 0, 2, 100);
        light(13, 0, 3, 100);
        light(20, 0, 4, 100);  // a scene that lights fixture 0 itself
        light(21, 5, 4, 100);  // one that leaves it dark
        set_chase(5, {11, 12, 13});
        patch(0, 3, 0);
    }
    std::vector<int> run(int steps) {
        std::vector<int> ys;
        for (int i = 0; i < steps; ++i) {
            step();
            ys.push_back(frame_[0]);
        }
        return ys;
    }
    static std::vector<int> repeat(std::initializer_list<std::pair<int, int>> runs) {
        std::vector<int> v;
        for (auto [value, count] : runs) v.insert(v.end(), count, value);
        return v;
    }
};

TEST_F(ChaseLayer, LoopAndOnePass) {
    // Rate 2 stored = 5 steps; no crossfade.
    engine_.start_chase(5, sd(2), sd(0), 0);
    EXPECT_EQ(run(21), repeat({{100, 4}, {150, 5}, {200, 5}, {100, 5}, {150, 2}}));

    engine_.start_chase(5, sd(2), sd(0), 1);
    EXPECT_EQ(run(40), repeat({{100, 4}, {150, 5}, {200, 31}}));
    EXPECT_EQ(fields().chase_step, 2);
    EXPECT_EQ(fields().current_chase, 5);
}

TEST_F(ChaseLayer, RateZeroStaysOnTheFirstStepButStillFadesIn) {
    engine_.start_chase(5, sd(0), sd(4), 0);  // cross 10 steps
    std::vector<int> ys = run(10);
    for (int k = 0; k < 10; ++k) EXPECT_EQ(ys[k], (100 * (255 - out_level(9 - k, 10)) + 255) >> 8) << k;
    run(500);
    EXPECT_EQ(frame_[0], 100);
    EXPECT_EQ(fields().chase_step, 0);
}

TEST_F(ChaseLayer, CrossfadeBetweenStepsStartsFromThePreviousStep) {
    // Cross time equal to the rate: each fade starts from the step before.
    engine_.start_chase(5, sd(2), sd(2), 0);
    run(5);  // the fifth step moves on to the second chase step
    EXPECT_EQ(fields().chase_step, 1);
    EXPECT_EQ(frame_[0], 100);  // out 255: the old step in full
    step();
    EXPECT_EQ(frame_[0], blend(100, 150, 204, 51));
    run(4);
    EXPECT_EQ(fields().chase_step, 2);
    EXPECT_EQ(frame_[0], 150);
}

TEST_F(ChaseLayer, SceneKeepsItsFixturesUntilItLetsThemFallToZero) {
    engine_.call_scene(20, sd(0));
    engine_.start_chase(5, sd(0), sd(0), 0);
    step();
    EXPECT_EQ(frame_[0], 99);  // the scene's, not the chase's
    EXPECT_EQ(engine_.layers().chase_output[kLevelY], 0);

    engine_.call_scene(21, sd(4));  // fixture 0 fades out over 10 steps
    std::vector<int> ys = run(10);
    EXPECT_EQ(ys[8], (99 * 25 + 255) >> 8);  // out 25: still the scene's
    EXPECT_EQ(ys[9], 100);                   // all zero from the scene: the chase's
}

TEST_F(ChaseLayer, StartingAChaseReleasesLevelsTheSceneIsFadingOut) {
    engine_.call_scene(20, sd(0));
    step();
    engine_.call_scene(21, sd(20));  // a slow fade out of fixture 0
    step(2);
    ASSERT_GT(frame_[0], 90);
    engine_.start_chase(5, sd(0), sd(0), 0);
    step();
    EXPECT_EQ(frame_[0], 100);
}

TEST_F(ChaseLayer, ChaseTimingGoesOnlyIntoTheRunningChase) {
    set_chase(6, {11});
    engine_.start_chase(5, sd(2), sd(0), 0);
    step(2);
    EXPECT_EQ(engine_.set_chase_rate(6, sd(4)), 0);
    EXPECT_EQ(engine_.set_chase_rate(5, sd(4)), 1);  // 10 steps, counted from now
    step(9);
    EXPECT_EQ(fields().chase_step, 0);
    step();
    EXPECT_EQ(fields().chase_step, 1);
    EXPECT_EQ(engine_.set_chase_cross_time(5, sd(2)), 1);
    EXPECT_EQ(fields().chase_cross_remaining, 5);
    EXPECT_EQ(fields().chase_cross_total, 5);
}

}  // namespace
}  // namespace prismel::test
