// The step runs on the output thread 50 times a second and must never reach
// the heap. This binary counts every operator new; the sanitizer builds
// bring their own allocator, so the count is taken in the plain build only.
#include "engine_fixture.h"

#include "support/allocation_counter.h"

namespace prismel::test {
namespace {

class StepAllocation : public EngineTest {};

TEST_F(StepAllocation, StepsOfAFullShowAllocateNothing) {
#if !PRISMEL_COUNT_ALLOCATIONS
    GTEST_SKIP() << "allocations are counted in the build without sanitizers";
#else
    for (int c = 1; c <= 3; ++c) set_colour(c, static_cast<uint8_t>(70 * c), 40, static_cast<uint8_t>(30 * c));
    for (int f = 0; f < kFixtures; ++f) {
        patch(f, 1 + f % 4, 8 * f);
        light(0, f, f % 2 ? 1 : kNone, 200);
        light(1, f, 2, 100);
        light(2, f, 3, 50);
    }
    set_chase(0, {1, 2, 1});
    set_cue(0, 0, 40, 0, 3, 3, 0, 10);
    set_cue(1, 1, 40, 0, 2, 1, 0, 10);
    port_.set_lines(true, false);
    engine_.go_to_cue(0);
    engine_.set_preview_cue(1);
    const long before = g_allocations.load();
    step(2000);  // crossfades, chase steps, wait-time and remote GOs
    EXPECT_EQ(g_allocations.load(), before);
    EXPECT_NE(fields().current_cue, 0);
    engine_.push_snapshot();  // the counter does see the engine's allocations
    EXPECT_GT(g_allocations.load(), before);
#endif
}

}  // namespace
}  // namespace prismel::test
