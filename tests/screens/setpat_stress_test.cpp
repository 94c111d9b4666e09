// The patch editor's keys against the step (see step_thread.h): every write
// of the patch is a whole record under the engine's guard.
#include "setpat_fixture.h"
#include "step_thread.h"

namespace prismel::test {
namespace {

using SetpatStress = SetpatTest;

TEST_F(SetpatStress, EditingKeysAgainstTheStep) {
    set_colour(1, "A", 1, 2, 3);
    for (int f = 0; f < kFixtures; ++f) {
        g_show.scenes[0].colour[f] = 1;
        g_show.scenes[0].size[f] = 255;
    }
    g_engine.call_scene(0, StoredDuration(4));
    open();
    const long steps = run_against_the_step(
        [this](int i) {
            static const int script[] = {kKeyF6, kKeyF1, kKeyF6, kKeyF4, kKeyF2, kKeyF6, kKeyF3,
                                         kKeyF6, kKeyF7, kKeyF5, kKeyHome, kKeyF8, kKeyDelete, kKeyEnd};
            const int k = script[i % 14];
            if (k == kKeyF5) input_.type(std::to_string(1 + i % 500));
            if (k == kKeyF8) box_.answer(i % 3 == 0 ? 1 : 2);
            key(k);
            tick();
        },
        800);
    EXPECT_GT(steps, 10);
    EXPECT_EQ(g_engine.hold_count(), 0);
    for (int f = 0; f < kFixtures; ++f) {
        EXPECT_GE(rec(f).layout, 1);
        EXPECT_LE(rec(f).layout, 4);
    }
}

}  // namespace
}  // namespace prismel::test
