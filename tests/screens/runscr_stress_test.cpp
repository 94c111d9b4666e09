// The run screen's calls against the step (see step_thread.h).
#include "runscr_fixture.h"
#include "step_thread.h"

namespace prismel::test {
namespace {

using RunscrStress = RunscrTest;

TEST_F(RunscrStress, CallsAgainstTheStep) {
    for (int f = 0; f < kFixtures; ++f) patch(f, 1, f * 4);
    set_colour(1, "A", 1, 2, 3);
    for (int sc = 0; sc < 10; ++sc) g_show.scenes[sc].colour[sc] = 1;
    set_chase(0, {1, 2, 3});
    use_cue(0, 1, 2, 0, 1);
    use_cue(1, 2, 0);
    set_fkey(0, kFkeyScene, 3, 0);
    set_fkey(1, kFkeyChase, 0, 2, 2);
    set_fkey(2, kFkeyCue, 1);
    open();
    const long steps = run_against_the_step(
        [this](int i) {
            static const int script[] = {kKeyEnter, kKeyF1, kKeyF2, kKeyHome, kKeyF1, kKeyF2, kKeyF3,
                                         kKeyHome,  kKeyBack, kKeyDelete};
            key(script[i % 10]);
            tick();
        },
        800);
    EXPECT_GT(steps, 10);
    EXPECT_EQ(g_engine.hold_count(), 0);
}

}  // namespace
}  // namespace prismel::test
