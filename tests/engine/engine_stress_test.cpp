// The output thread steps at full speed while the main thread changes what is
// played. Every fixture is lit alike by every scene, so any frame that is not
// uniform was rendered from a half-changed state. Run under ThreadSanitizer
// it also proves the two threads never race on the engine state.
#include "engine/show_edit.h"
#include "engine_fixture.h"

namespace prismel::test {
namespace {

class EngineStress : public UniformShowTest {
protected:
    EngineStress() {
        set_chase(0, {0, 1, 2});
        set_chase(1, {3, kNone, 1});
        set_cue(0, 0, 0, 0, 1, 1, 0, 1);
        set_cue(1, 1, 3, 1, 2, 0, 1, 0);
        set_cue(2, kNone, 0, 0, 1, 2, 0, 2);
        set_cue(3, 3, 0);
    }
};

TEST_F(EngineStress, NoStepRendersAHalfChangedState) {
    const StressResult r = stress_against_step(
        engine_,
        [this](int i) {
            switch (i % 12) {
                case 0: engine_.go_to_cue(i / 12 % 5 - 1); break;
                case 1: engine_.call_scene(i % 5 - 1, sd(i % 3)); break;
                case 2: engine_.start_chase(i % 3 - 1, sd(i % 4), sd(i % 2), i % 2); break;
                case 3: engine_.set_preview_cue(i % 4); break;
                case 4: engine_.set_show_running(); break;
                case 5: engine_.push_snapshot(); break;
                case 6: engine_.set_colour_preview(i % 24 == 6 ? 2 : kNone); break;
                case 7: engine_.pop_snapshot(i % 36 == 7 ? 0 : -1); break;
                case 8: engine_.set_chase_rate(0, sd(i % 3)); break;
                case 9: {
                    ShowEdit edit(engine_);
                    engine_.go_to_cue(3);
                    engine_.call_scene(2, sd(0));
                    break;
                }
                case 10: port_.set_lines(i % 7 < 3, i % 11 < 2); break;
                default: {
                    EngineFields f = fields();
                    LevelBuffer m = engine_.monitor();
                    ASSERT_TRUE(f.current_cue >= kNone && f.current_cue < 4);
                    ASSERT_EQ(m[0], m[kLevelsPerFixture * 63]);
                    ASSERT_GE(engine_.snapshot_depth(), 0);
                    break;
                }
            }
            if (engine_.snapshot_depth() > 50) engine_.pop_snapshot(0);
        },
        1500, 2000000);
    expect_clean_stress(r, engine_);
}

}  // namespace
}  // namespace prismel::test
