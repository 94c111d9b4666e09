// Loading a show replaces every table the step reads (see step_thread.h).
#include "diskop_fixture.h"
#include "step_thread.h"

namespace prismel::test {
namespace {

using DiskopStress = DiskopTest;

TEST_F(DiskopStress, LoadsAgainstTheStep) {
    for (int f = 0; f < kFixtures; ++f) patch(f, 1, f * 4);
    make_folders({"SHOW"});
    {
        auto show = std::make_unique<ShowData>();
        for (int f = 0; f < kFixtures; ++f) show->patch[f] = {2, static_cast<int16_t>(f * 3)};
        show->scenes[0].colour[0] = 1;
        ASSERT_EQ(write_all_tables(*show, data_location() + "SHOW/"), 0);
    }
    g_engine.call_scene(0, StoredDuration(0));
    open();
    const long steps = run_against_the_step(
        [this](int) {
            box_.answer(1);
            key(kKeyF7);
            tick();
        },
        600);
    EXPECT_GT(steps, 10);
    EXPECT_EQ(g_engine.hold_count(), 0);
    EXPECT_EQ(g_show.patch[5].start, 15);
}

}  // namespace
}  // namespace prismel::test
