// The output thread steps at full speed while the window thread edits every
// table the step reads, each edit under ShowEdit. Every scene lights all
// fixtures alike and every edit keeps it so, so a frame that is not uniform
// was rendered from a half-written table. Under ThreadSanitizer it also
// proves that the edits never race with the step.
#include "engine/show_edit.h"
#include "engine_fixture.h"

namespace prismel::test {
namespace {

class TableEditStress : public UniformShowTest {
protected:
    TableEditStress() {
        set_chase(0, {0, 1, 2});
        set_cue(0, 0, 0, 0, 1, 1, 0, 1);
        set_cue(1, 1, 3, kNone, 2, 0, 1, 1);
    }

    // One edit of table `which`, whole, under the guard.
    void edit(int which, int i) {
        ShowEdit guard(engine_);
        switch (which) {
            case 0: paint_scene(i % 4, i % 4 + 1, static_cast<uint8_t>(i % 200)); break;
            case 1:
                for (int c = 1; c <= 4; ++c) show().colours.rec[c].y = static_cast<uint8_t>(i + c);
                break;
            case 2: {
                ChaseRecord& c = show().chases[0];
                c.step_count = static_cast<uint8_t>(i % 3 + 1);
                for (int k = 0; k < 3; ++k) c.steps[k] = static_cast<int16_t>((i + k) % 4);
                break;
            }
            case 3: {
                show().cues.insert(1, 15);
                set_cue(1, i % 4, i % 3, i % 2 ? 0 : kNone, 1, 0, 0, 1);
                show().cues.remove(1);
                break;
            }
            default:
                for (int f = 0; f < kFixtures; ++f) show().patch[f].start = kNone;
                patch_all();
                break;
        }
    }
};

TEST_F(TableEditStress, NoStepRendersAHalfWrittenTable) {
    const StressResult r = stress_against_step(
        engine_,
        [this](int i) {
            edit(i % 5, i);
            if (i % 50 == 0) engine_.go_to_cue(i / 50 % 2);
            if (i % 70 == 0) {
                // An engine operation inside an edit: the guard nests.
                ShowEdit guard(engine_);
                engine_.call_scene(i % 4, sd(0));
                engine_.start_chase(0, sd(1), sd(0), 0);
            }
        },
        1500, 1000000);
    expect_clean_stress(r, engine_);
}

}  // namespace
}  // namespace prismel::test
