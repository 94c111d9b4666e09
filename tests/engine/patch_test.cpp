#include "engine_fixture.h"

namespace prismel::test {
namespace {

// Every fixture lit with size 11, M 22, C 33, Y 44 by scene 0, on stage.
class Patch : public EngineTest {
protected:
    Patch() {
        set_colour(1, 44, 22, 33);
        for (int f = 0; f < kFixtures; ++f) light(0, f, 1, 11);
        engine_.call_scene(0, sd(0));
        frame_.fill(0xEE);
    }
};

TEST_F(Patch, FourLayouts) {
    patch(0, 1, 0);
    patch(1, 2, 10);
    patch(2, 3, 20);
    patch(3, 4, 30);
    step();
    EXPECT_EQ((std::array<int, 5>{frame_[0], frame_[1], frame_[2], frame_[3], frame_[4]}),
              (std::array<int, 5>{11, 22, 33, 44, 0xEE}));
    EXPECT_EQ((std::array<int, 4>{frame_[10], frame_[11], frame_[12], frame_[13]}),
              (std::array<int, 4>{44, 22, 33, 0xEE}));
    EXPECT_EQ((std::array<int, 2>{frame_[20], frame_[21]}), (std::array<int, 2>{44, 0xEE}));
    EXPECT_EQ((std::array<int, 4>{frame_[30], frame_[31], frame_[32], frame_[33]}),
              (std::array<int, 4>{33, 22, 44, 11}));
}

TEST_F(Patch, FixturesThatWouldPassTheLastSlotAreSkipped) {
    patch(0, 1, 509);  // needs 509-512
    step();
    EXPECT_EQ(frame_[509], 0xEE);
    EXPECT_EQ(frame_[511], 0xEE);
    patch(0, 1, 508);
    patch(1, 2, 505);
    patch(2, 3, 511);
    patch(3, 4, 509);
    step();
    EXPECT_EQ(frame_[508], 11);
    EXPECT_EQ(frame_[505], 44);
    EXPECT_EQ(frame_[511], 44);  // layout 3 fits on the last slot
}

TEST_F(Patch, UnpatchedSlotsKeepTheirValuesAndTheHigherFixtureWins) {
    set_colour(2, 99, 0, 0);
    light(0, 5, 2, 0);
    engine_.call_scene(0, sd(0));
    patch(4, 3, 100);
    patch(5, 3, 100);
    step();
    EXPECT_EQ(frame_[100], 99);
    patch(5, 3, kNone);  // unpatched: the slot keeps what fixture 4 writes
    step();
    EXPECT_EQ(frame_[100], 44);
    patch(4, 3, kNone);
    step();
    EXPECT_EQ(frame_[100], 44);  // nobody writes it any more
    EXPECT_EQ(frame_[101], 0xEE);
}

TEST_F(Patch, ColourPreviewShowsOneColourWithSizeZeroOverTheShow) {
    set_colour(420, 7, 8, 9);
    patch(0, 1, 0);
    patch(63, 4, 500);
    engine_.set_colour_preview(420);
    step();
    EXPECT_EQ((std::array<int, 4>{frame_[0], frame_[1], frame_[2], frame_[3]}), (std::array<int, 4>{0, 8, 9, 7}));
    EXPECT_EQ((std::array<int, 4>{frame_[500], frame_[501], frame_[502], frame_[503]}),
              (std::array<int, 4>{9, 8, 7, 0}));
    engine_.set_colour_preview(kNone);
    step();
    EXPECT_EQ(frame_[0], 11);
}

}  // namespace
}  // namespace prismel::test
