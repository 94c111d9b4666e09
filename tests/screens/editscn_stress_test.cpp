// The scene editor's edits and its output switch against the step (see
// step_thread.h).
#include "editscn_fixture.h"
#include "step_thread.h"

namespace prismel::test {
namespace {

using EditscnStress = EditscnTest;

TEST_F(EditscnStress, EditingKeysAgainstTheStep) {
    for (int f = 0; f < kFixtures; ++f) patch(f, f % 4 + 1, f * 4);
    set_colour(1, "A", 1, 2, 3);
    set_colour(2, "B", 30, 20, 10);
    for (int sc = 0; sc < 4; ++sc) g_show.scenes[sc].colour[sc] = 1;
    set_chase(0, {0, 1, 2});
    use_cue(0, 1, 4, 0);
    g_engine.go_to_cue(0);
    open();
    const long steps = run_against_the_step(
        [this](int i) {
            struct Press {
                int key, flags;
                const char* typed;
            } static const script[] = {
                {kKeyF9, 0, nullptr},        {kKeySpace, 0, nullptr},     {kKeyF3, 0, "B"},
                {kKeyF4, 0, "40"},           {kKeyF5, kModShift, nullptr}, {kKeyDelete, 0, nullptr},
                {kKeyF6, 0, nullptr},        {kKeyF8, 0, nullptr},        {kKeyF7, 0, "1"},
                {kKeyF2, 0, "NAME"},         {kKeyF9, 0, nullptr},        {kKeyF1, 0, "1"},
                {kKeyF3, kModAlt, nullptr},  {kKeyF3, kModCtrl, nullptr}, {kKeyRight, 0, nullptr},
            };
            const Press& p = script[i % (sizeof script / sizeof script[0])];
            if (p.typed) input_.type(p.typed);
            if (p.key == kKeyF8) box_.answer(kResultOk);
            key(p.key, p.flags);
            tick();
        },
        800);
    expect_closes_clean(steps);
}

}  // namespace
}  // namespace prismel::test
