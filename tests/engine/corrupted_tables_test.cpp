// Show tables as a damaged or hostile file leaves them: the step must never
// read outside a table or write outside the frame (the sanitizer builds
// catch any stray access), and every level stays a level.
#include <random>

#include "engine_fixture.h"

namespace prismel::test {
namespace {

class CorruptedTables : public EngineTest {};

TEST_F(CorruptedTables, ReferencesOutsideTheirTablesAreNone) {
    set_colour(1, 50, 0, 0);
    light(0, 0, 650, 77);      // colour outside the table: size only
    light(0, 1, -300, 0);
    light(0, 2, 32767, 9);
    light(0, 3, 1, 255);
    show().chases[0].step_count = 200;  // more steps than a record holds
    for (int k = 0; k < kChaseSteps; ++k) show().chases[0].steps[k] = static_cast<int16_t>(k % 3 ? 900 : 0);
    set_cue(0, 300, -20, 77, -5, -9, 5, -1);
    set_cue(1, 0, 32767, 0, 32767, 32767, -3, 32767);
    set_cue(2, -7, 0, 0, 2, 0, 0, 0);
    for (int f = 0; f < 4; ++f) patch(f, 1, 4 * f);
    patch(4, 9, 20);
    patch(5, -1, 24);
    patch(6, 0, 28);
    patch(7, 3, 700);
    patch(8, 4, -5);
    patch(9, 2, 32767);
    patch(10, 1, 511);

    engine_.go_to_cue(0);  // scene 300, chase 77: neither exists
    EngineFields f = fields();
    EXPECT_EQ(f.current_cue, 0);
    EXPECT_EQ(f.current_scene, kNone);
    EXPECT_EQ(f.current_chase, kNone);
    step(3);
    EXPECT_EQ(frame_[0], 0);

    engine_.go_to_cue(1);  // scene 0 and a chase claiming 200 steps
    f = fields();
    EXPECT_EQ(f.step_count, kChaseSteps);
    EXPECT_EQ(f.scene_cross_total, steps_of(sd(32767)));
    step(2);
    engine_.call_scene(0, sd(0));
    step();
    EXPECT_EQ(frame_[0], 77);  // size of a fixture whose colour is out of range
    EXPECT_EQ(frame_[1], 0);
    EXPECT_EQ(frame_[8], 9);
    EXPECT_EQ(frame_[15], 50);

    engine_.start_chase(0, sd(1), sd(0), 0);
    step(500);  // every step of the chase, scenes 900 included
    engine_.go_to_cue(5000);
    EXPECT_EQ(fields().current_cue, kNone);
    engine_.go_to_cue(-12);
    engine_.start_chase(50, sd(2), sd(2), 0);
    engine_.start_chase(-3, sd(2), sd(2), 0);
    EXPECT_EQ(fields().current_chase, kNone);
    engine_.call_scene(200, sd(4));
    EXPECT_EQ(fields().current_scene, kNone);
    engine_.set_colour_preview(9999);
    EXPECT_EQ(fields().colour_preview, kNone);
    engine_.set_preview_cue(0);
    EXPECT_EQ(fields().preview_chase, kNone);
    EXPECT_EQ(fields().preview_scene, kNone);
    engine_.set_preview_cue(1000);
    step(10);
}

TEST_F(CorruptedTables, NegativeDurationsCutInsteadOfFadingBackwards) {
    set_colour(1, 80, 0, 0);
    light(0, 0, 1, 255);
    set_chase(0, {0});
    set_cue(0, 0, -1000, kNone);
    patch(0, 3, 0);
    engine_.go_to_cue(0);
    step();
    EXPECT_EQ(frame_[0], 80);
    EXPECT_EQ(fields().scene_out, 0);
    engine_.call_scene(kNone, sd(0));
    engine_.start_chase(0, sd(-4), sd(-32768), 0);
    step(30);
    EXPECT_EQ(frame_[0], 80);  // rate 0: stays; cross 0: straight in
    EXPECT_EQ(fields().chase_out, 0);
}

// Random bytes in every table, random operations between the steps.
TEST_F(CorruptedTables, RandomTablesAndOperations) {
    std::mt19937 rng(20261208);
    auto any16 = [&] { return static_cast<int16_t>(rng()); };
    auto small = [&](int n) { return static_cast<int>(rng() % (n + 20)) - 10; };
    for (int round = 0; round < 6; ++round) {
        for (auto& c : show().colours.rec) {
            c.y = static_cast<uint8_t>(rng());
            c.m = static_cast<uint8_t>(rng());
            c.c = static_cast<uint8_t>(rng());
        }
        for (int s = 0; s < kScenes; ++s) {
            for (int f = 0; f < kFixtures; ++f) {
                show().scenes[s].colour[f] = rng() % 4 ? static_cast<int16_t>(small(kColours)) : any16();
                show().scenes[s].size[f] = static_cast<uint8_t>(rng());
            }
        }
        for (int c = 0; c < kChases; ++c) {
            show().chases[c].step_count = static_cast<uint8_t>(rng());
            for (auto& st : show().chases[c].steps) st = rng() % 4 ? static_cast<int16_t>(small(kScenes)) : any16();
        }
        for (int q = 0; q < kCues; ++q) {
            CueRecord& r = cue(q);
            r.scene = static_cast<int16_t>(small(kScenes));
            r.chase = static_cast<int16_t>(small(kChases));
            r.scene_xtime = static_cast<int16_t>(small(30));
            r.rate = static_cast<int16_t>(small(10));
            r.chase_xtime = static_cast<int16_t>(small(10));
            r.mode = any16();
            r.wait = rng() % 3 ? static_cast<int16_t>(small(20)) : any16();
        }
        for (auto& p : show().patch) p = {static_cast<int16_t>(small(4)), rng() % 2 ? any16() : static_cast<int16_t>(small(512))};
        for (int i = 0; i < 400; ++i) {
            switch (rng() % 9) {
                case 0: engine_.go_to_cue(small(kCues)); break;
                case 1: engine_.call_scene(small(kScenes), sd(any16())); break;
                case 2: engine_.start_chase(small(kChases), sd(small(10)), sd(any16()), any16()); break;
                case 3: engine_.set_preview_cue(small(kCues)); break;
                case 4: engine_.set_colour_preview(rng() % 3 ? kNone : small(kColours)); break;
                case 5: engine_.push_snapshot(); break;
                case 6: engine_.pop_snapshot(small(4)); break;
                case 7: port_.set_lines(rng() % 2, rng() % 2); break;
                default: engine_.set_chase_rate(fields().current_chase, sd(small(10))); break;
            }
            step(1 + rng() % 5);
            const EngineFields f = fields();
            ASSERT_TRUE(f.current_scene == kNone || valid_scene(f.current_scene));
            ASSERT_TRUE(f.current_chase == kNone || valid_chase(f.current_chase));
            ASSERT_TRUE(f.chase_step >= 0 && f.chase_step < kChaseSteps);
            ASSERT_TRUE(f.scene_out >= 0 && f.scene_out <= 255 && f.chase_out >= 0 && f.chase_out <= 255);
        }
    }
}

}  // namespace
}  // namespace prismel::test
