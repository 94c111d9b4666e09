// The engine lays its levels out through the patch on every step: what the
// editor changes reaches the frame at the next step.
#include "engine/show_edit.h"
#include "setpat_fixture.h"

namespace prismel::test {
namespace {

class SetpatEngine : public SetpatTest {
protected:
    void SetUp() override {
        set_colour(1, "A", 10, 20, 30);  // Y, M, C
        g_show.scenes[0].colour[0] = 1;
        g_show.scenes[0].size[0] = 200;
        g_show.scenes[0].colour[1] = 1;
        g_show.scenes[0].size[1] = 100;
        patch(0, 1, 0);
        g_engine.call_scene(0, StoredDuration(0));
        step();
        open();
    }
    std::vector<int> slots(int first, int n) const {
        return std::vector<int>(frame_.begin() + first, frame_.begin() + first + n);
    }
};

TEST_F(SetpatEngine, APatchChangeMovesThePlayingLevelsAtTheNextStep) {
    ASSERT_EQ(slots(0, 4), (std::vector<int>{200, 20, 30, 10}));  // size, M, C, Y
    input_.type("101");
    key(kKeyF5);
    ASSERT_EQ(rec(0).start, 100);
    step();
    EXPECT_EQ(slots(100, 4), (std::vector<int>{200, 20, 30, 10}));
    EXPECT_EQ(slots(0, 4), (std::vector<int>{200, 20, 30, 10}));  // no fixture writes there any more

    go_to(0);
    key(kKeyF4);  // COLCOM: C, M, Y, size
    step();
    EXPECT_EQ(slots(100, 4), (std::vector<int>{30, 20, 10, 200}));

    go_to(1);
    key(kKeyF6);  // fixture 2 after it, on channels 105-108
    step();
    EXPECT_EQ(slots(104, 4), (std::vector<int>{100, 20, 30, 10}));

    go_to(1);
    key(kKeyF3);
    key(kKeyF7);  // the unpatched scroller is not written
    frame_.fill(0);
    step();
    EXPECT_EQ(slots(104, 4), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(slots(100, 4), (std::vector<int>{30, 20, 10, 200}));
}

TEST_F(SetpatEngine, EditsDoNotLeaveTheEngineHeld) {
    input_.type("5");
    key(kKeyF5);
    key(kKeyF6);
    key(kKeyF7);
    box_.answer(1);
    key(kKeyF8);
    EXPECT_EQ(g_engine.hold_count(), 0);
    step();
    EXPECT_EQ(fields().current_scene, 0);
}

}  // namespace
}  // namespace prismel::test
