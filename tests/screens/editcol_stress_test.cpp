// The user colour editor's edits against the step (see step_thread.h): every
// write of the colour table the step reads goes through the engine's guard.
#include "editcol_fixture.h"
#include "step_thread.h"

namespace prismel::test {
namespace {

using EditcolStress = EditcolTest;

TEST_F(EditcolStress, EditsAgainstTheStep) {
    for (int f = 0; f < kFixtures; ++f) patch(f, 1 + f % 4, f * 8);
    open();
    const long steps = run_against_the_step(
        [this](int i) {
            static const int script[] = {kKeyF9,           kKeyF6,          kKeyF6,   kKeyShiftWheelDown,
                                         kKeyShiftWheelUp, kKeyF5,          kKeyRight, '1',
                                         kKeyDown,         kKeyF9,          kKeyRight, 'A',
                                         kKeyLeft,         kKeyShiftWheelUp, kKeyUp,   kKeyF9};
            const int k = script[i % 16];
            if (k == '1') input_.type("1" + std::to_string(i % 100));
            if (k == 'A') input_.type(i % 2 ? "AB" : sjs("表ソ"));
            key(k, k == kKeyShiftWheelUp || k == kKeyShiftWheelDown ? kModShift : 0);
            tick();
        },
        800);
    EXPECT_GT(steps, 10);
    EXPECT_EQ(g_engine.hold_count(), 0);
    key(kKeyEsc);
    EXPECT_EQ(fields().colour_preview, kNone);
}

}  // namespace
}  // namespace prismel::test
