// The cue editor's edits against the step (see step_thread.h).
#include "editcue_fixture.h"
#include "engine/show_edit.h"
#include "step_thread.h"

namespace prismel::test {
namespace {

using EditcueStress = EditcueTest;

TEST_F(EditcueStress, EditsAgainstTheStep) {
    stress_show();
    for (int i = 0; i < 6; ++i) use_cue(i, i, 2, i % 2 ? 0 : kNone, i % 3);
    g_engine.go_to_cue(0);
    open();
    const long steps = run_against_the_step(
        [this](int i) {
            // Moves over the first rows and columns, with every edit key.
            static const int script[] = {kKeyF9,  kKeyRight, kKeyShiftWheelUp, kKeyDown, kKeyF9,   '1',
                                         kKeyF6,  kKeyDelete, kKeyRight,       kKeyF7,   kKeyShiftWheelDown,
                                         kKeyF8,  'S',        kKeyUp,          kKeyLeft, kKeyRefresh};
            const int k = script[i % 16];
            if (k == '1') input_.type(i % 32 < 16 ? "1.5" : "3");
            if (k == kKeyF6) input_.type(i % 48 < 24 ? "1.5" : "4.5");
            if (k == kKeyF8) {
                input_.type("1");
                input_.type("2");
                input_.type(i % 64 < 32 ? "40" : "3");
            }
            key(k);
            if (i % 50 == 49) {
                key(kKeyHome);
                ShowEdit edit;  // the list back to a known state now and then
                for (int c = 6; c < kCues; ++c) CueTable::set_default(cue(c), (c + 1) * 10);
            }
            tick();
        },
        800);
    expect_closes_clean(steps);
    for (int i = 1; i < kCues; ++i) ASSERT_LT(cue(i - 1).number, cue(i).number) << i;
}

}  // namespace
}  // namespace prismel::test
