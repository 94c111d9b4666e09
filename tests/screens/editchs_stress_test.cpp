// The chase editor's edits and its output switch against the step (see
// step_thread.h): inserts, deletes, copies, clears and test-rate changes of
// the chase being played.
#include "editchs_fixture.h"
#include "step_thread.h"

namespace prismel::test {
namespace {

using EditchsStress = EditchsTest;

TEST_F(EditchsStress, EditsOfThePlayingChaseAgainstTheStep) {
    stress_show();
    set_chase(1, {4, 5, 6, 7, 8});
    use_cue(0, 1, 2, 1);
    g_engine.go_to_cue(0);
    editchs_set_test_rate(StoredDuration(1));
    open();
    key(kKeyF9);
    const long steps = run_against_the_step(
        [this](int i) {
            switch (i % 12) {
            case 0: input_.type(std::to_string(1 + i % 9)); key('1'); break;
            case 1: key(kKeyDown); break;
            case 2: key(kKeyDelete); break;
            case 3: input_.type(i % 24 ? "0.1" : "0.0"); key(kKeyF8); break;
            case 4: input_.type("2"); key(kKeyF6); break;
            case 5: key(kKeyF9); break;
            case 6:
                if (i % 48 == 6) {
                    box_.press({kKeyLeft, kKeyEnter});
                    key(kKeyF7);
                }
                break;
            case 7: key(kKeyF3); key(kKeyDown); key(kKeyEnter); break;
            case 8: input_.type("ABC"); key(kKeyF2); break;
            case 9: key(kKeyEnd); break;
            case 10: key(kKeyHome); break;
            default: key(kKeyF9); break;
            }
            tick();
        },
        800);
    expect_closes_clean(steps);
    EXPECT_EQ(fields().current_cue, 0);
}

}  // namespace
}  // namespace prismel::test
