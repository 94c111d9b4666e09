// The cue editor's test on stage (F9): the show parked on the snapshot
// stack, given back exactly, and a running test's chase taking new times.
#include <vector>

#include "editcue_fixture.h"

namespace prismel::test {
namespace {

class EditcueOutput : public EditcueTest {
protected:
    void SetUp() override {
        for (int f = 0; f < 8; ++f) patch(f, 1, f * 4);
        set_colour(1, "R", 0, 200, 200);
        set_colour(2, "G", 200, 0, 200);
        set_colour(3, "B", 200, 200, 0);
        for (int sc = 1; sc <= 4; ++sc)
            for (int f = 0; f < 8; ++f) {
                g_show.scenes[sc].colour[f] = static_cast<int16_t>((f + sc) % 4 == 0 ? kNone : 1 + (f + sc) % 3);
                g_show.scenes[sc].size[f] = static_cast<uint8_t>(40 * sc + f);
            }
        set_chase(0, {2, 3, 4});
        use_cue(0, 1, 10, 0);
        cue(0).rate = 4;
        cue(0).chase_xtime = 2;
        use_cue(1, 2, 6);
        use_cue(2, 3, 0, 0);
        cue(2).rate = 6;
        use_cue(3, 4, 0, 0);
    }
    int depth() const { return g_engine.snapshot_depth(); }
};

TEST_F(EditcueOutput, F9PlaysTheCursorCueAndOnItAgainGivesTheShowBack) {
    g_engine.go_to_cue(0);
    open();
    struct Press {
        int cue;
        int depth, current;
    } presses[] = {
        {1, 1, 1},  // a test of cue 2.
        {2, 1, 2},  // another cue during the test: that cue, the show still parked once
        {2, 0, 0},  // the cue under test again: the show is back
        {0, 0, 0},  // the cue the show itself plays: played again, nothing parked
    };
    for (const Press& p : presses) {
        go(p.cue, 0);
        key(kKeyF9);
        EXPECT_EQ(depth(), p.depth) << p.cue;
        EXPECT_EQ(fields().current_cue, p.current) << p.cue;
    }
    EXPECT_EQ(g_engine.hold_count(), 0);
}

TEST_F(EditcueOutput, F9TwiceReturnsTheStageToTheShowExactly) {
    // The same show played twice, once with a test in the middle; from the
    // moment the test ends every frame is the one the show would have sent.
    auto play = [this](bool test) {
        g_engine.initialise();
        while (g_engine.hold_count() > 0) g_engine.release();
        DmxFrame frame{};
        g_engine.go_to_cue(0);  // a scene fade and a chase running
        for (int i = 0; i < 7; ++i) g_engine.step(frame);
        std::vector<DmxFrame> frames;
        if (test) {
            go(3, 0);
            key(kKeyF9);
            for (int i = 0; i < 9; ++i) g_engine.step(frame);
            frames.push_back(frame);  // the test's own stage
            key(kKeyF9);
        }
        for (int i = 0; i < 40; ++i) {
            g_engine.step(frame);
            frames.push_back(frame);
        }
        return frames;
    };
    open();
    const std::vector<DmxFrame> show = play(false);
    std::vector<DmxFrame> tested = play(true);
    EXPECT_NE(tested.front(), show.front());
    tested.erase(tested.begin());
    EXPECT_EQ(tested, show);
    EXPECT_EQ(depth(), 0);
}

TEST_F(EditcueOutput, ARunningTestsChaseTakesNewRatesAndCrossTimes) {
    g_engine.go_to_cue(2);  // the show plays chase 1 at rate 6
    open();
    go(2, 5);
    wheel(1, kModShift);  // no test: the table only
    EXPECT_EQ(cue(2).rate, 8);
    EXPECT_EQ(fields().rate, steps_of(StoredDuration(6)));

    go(3, 5);
    key(kKeyF9);  // cue 4. plays chase 1 at rate 20
    ASSERT_EQ(fields().current_chase, 0);
    struct Edit {
        int column;
        int wheel;          // 0: typed
        const char* typed;
        EngineSteps EngineFields::*field;
        int stored;
    } edits[] = {
        {5, 1, nullptr, &EngineFields::rate, 22},
        {5, -1, nullptr, &EngineFields::rate_countdown, 20},
        {5, 0, "3", &EngineFields::rate, 60},
        {6, 1, nullptr, &EngineFields::chase_cross_total, 22},
        {6, 0, "0.5", &EngineFields::chase_cross_remaining, 10},
    };
    for (const Edit& e : edits) {
        go(3, e.column);
        if (e.wheel) {
            wheel(e.wheel, kModShift);
        } else {
            input_.type(e.typed);
            key(e.typed[0]);
        }
        EXPECT_EQ(fields().*e.field, steps_of(StoredDuration(e.stored))) << e.column << " " << e.stored;
    }
    EXPECT_EQ(cue(3).rate, 60);
    EXPECT_EQ(cue(3).chase_xtime, 10);
    key(kKeyF9);
    EXPECT_EQ(fields().rate, steps_of(StoredDuration(6)));  // the show's chase as it was
    EXPECT_EQ(fields().current_cue, 2);
}

TEST_F(EditcueOutput, AWaitTypedAsZeroShowsNoTimeAndWaitsForGo) {
    cue(1).wait = 40;
    open();
    go(1, 1);
    tick();
    EXPECT_EQ(row(kFirstRow + 1, kWaitCol, 4), " 2.0");
    input_.type("0");
    key('0');
    tick();
    EXPECT_EQ(row(kFirstRow + 1, kWaitCol, 4), "__._");
    key(kKeyF9);
    step(300);
    EXPECT_EQ(fields().current_cue, 1);
}

}  // namespace
}  // namespace prismel::test
