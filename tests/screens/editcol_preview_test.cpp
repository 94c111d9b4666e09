// The colour preview on stage: what the engine step lays onto the DMX frame
// while the user colour editor shows a colour, and after it closes.
#include "editcol_fixture.h"

namespace prismel::test {
namespace {

class EditcolPreview : public EditcolTest {
protected:
    void SetUp() override {
        // Fixtures in all four layouts, one at the very end of the frame, and
        // a scene on all of them underneath.
        patch(0, 1, 0);    // size M C Y
        patch(1, 2, 10);   // Y M C
        patch(2, 3, 20);   // Y
        patch(3, 4, 30);   // C M Y size
        patch(4, 3, 511);  // the last slot
        patch(5, 2, 508);
        patch(6, 1, 509);  // would pass slot 511: never written
        set_colour(0, "BASE", 1, 2, 3);
        for (int f = 0; f < 7; ++f) {
            g_show.scenes[0].colour[f] = 0;
            g_show.scenes[0].size[f] = 200;
        }
        g_engine.call_scene(0, StoredDuration(0));
        set_colour(kFirstUserColour + 9, "AMBR", 40, 50, 60);  // Y M C
        open();
        go(9, kEditcolY);
    }
    // The slots of the patched fixtures, in fixture order.
    std::vector<int> slots() const {
        std::vector<int> v;
        for (int slot : {0, 1, 2, 3, 10, 11, 12, 20, 30, 31, 32, 33, 511, 508, 509, 510}) v.push_back(frame_[slot]);
        return v;
    }
    static std::vector<int> expected(int size, int y, int m, int c) {
        return {size, m, c, y, y, m, c, y, c, m, y, size, y, y, m, c};
    }
};

TEST_F(EditcolPreview, ReachesEveryPatchedFixtureInEveryLayoutAndEndsAtClose) {
    step();
    ASSERT_EQ(slots(), expected(200, 1, 2, 3));
    key(kKeyF9);
    step();
    EXPECT_EQ(slots(), expected(0, 40, 50, 60));
    key(kKeyEsc);
    step();
    EXPECT_EQ(slots(), expected(200, 1, 2, 3));
}

TEST_F(EditcolPreview, AChangeToThePreviewedColourShowsAtTheNextStep) {
    key(kKeyF9);
    step();
    EXPECT_EQ(frame_[3], 40);
    key(kKeyF6);  // Y
    step();
    EXPECT_EQ(frame_[3], 41);
    key(kKeyRight);
    input_.type("7");
    key('7');  // M typed
    step();
    EXPECT_EQ(frame_[1], 7);
    key(kKeyRight);
    wheel(-1, kModShift);  // C
    step();
    EXPECT_EQ(frame_[2], 59);
    EXPECT_EQ(g_engine.hold_count(), 0);
}

TEST_F(EditcolPreview, APreviewMovedToAnotherColourShowsThatOne) {
    key(kKeyF9);
    key(kKeyDown);
    key(kKeyF9);
    step();
    EXPECT_EQ(slots(), expected(0, 0, 0, 0));
    key(kKeyF9);  // ended: the scene is back
    step();
    EXPECT_EQ(slots(), expected(200, 1, 2, 3));
}

}  // namespace
}  // namespace prismel::test
