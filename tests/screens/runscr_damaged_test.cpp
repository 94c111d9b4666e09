// A show read from damaged files: references outside their tables, names
// that fill their fields without a terminator. The run screen must neither
// read outside a table nor show a reference that points nowhere.
#include <cstring>

#include "runscr_fixture.h"

namespace prismel::test {
namespace {

class RunscrDamaged : public RunscrTest {
protected:
    void SetUp() override {
        for (int i = 0; i < 6; ++i) {
            CueRecord& q = g_show.cues[i];
            q.scene = static_cast<int16_t>(i % 2 ? 300 : 3);
            q.chase = static_cast<int16_t>(i % 3 ? -7 : 900);
            q.wait = static_cast<int16_t>(i == 0 ? -20 : 32767);
            q.rate = -5;
            q.number = static_cast<int16_t>(-15 + i);
        }
        SceneRecord& s = g_show.scenes[3];
        // One ASCII byte, then lead bytes to the end: the twentieth byte is a
        // lead byte whose trail lies beyond the name; no terminator.
        std::memset(s.name, 0x83, sizeof s.name);
        s.name[0] = 'A';
        for (int f = 0; f < kFixtures; ++f) s.colour[f] = static_cast<int16_t>(500 + f);
        ChaseRecord& c = g_show.chases[1];
        std::memset(c.name, 'C', sizeof c.name);
        c.step_count = 200;
        for (int k = 0; k < kChaseSteps; ++k) c.steps[k] = static_cast<int16_t>(k % 2 ? 250 : 3);
        g_show.cues[6].scene = 3;
        g_show.cues[6].chase = 1;
        for (int k = 0; k < kFkeys; ++k) {
            FkeyRecord& f = g_show.fkeys[k];
            std::memset(f.label, 0x81, sizeof f.label);
            f.type = static_cast<int16_t>(k - 2);
            f.target = static_cast<int16_t>(k * 1000);
        }
        open();
    }
};

TEST_F(RunscrDamaged, KeysAndRedrawsStayInsideTheTables) {
    const int keys[] = {kKeyEnter, kKeyEnter, kKeyBack, kKeyDelete, kKeyHome, kKeyF1, kKeyF2, kKeyF3,
                        kKeyF4, kKeyF5, kKeyF6, kKeyF10, kKeyHome, kKeyF1, kKeyF1, kKeyEnter};
    for (int k : keys) {
        key(k);
        step(3);
        tick();
        key(kKeyF8, kModShift);
        tick();
        release_shift();
        tick();
    }
    for (int i = 0; i < 8; ++i) {
        key(kKeyEnter);
        tick();
    }
    SUCCEED();
}

TEST_F(RunscrDamaged, ReferencesThatPointNowhereShowAsNone) {
    for (int i = 0; i < 7; ++i) key(kKeyEnter);
    ASSERT_EQ(fields().current_cue, 6);
    tick();
    // The name is cut before the lead byte that lost its trail byte.
    const int name = 4 + 7 + 1 + 4 + 5 + 1;
    EXPECT_EQ(cell(name, kCueRow).ch, 'A');
    EXPECT_EQ(cell(name + 18, kCueRow).ch, 0x83);
    EXPECT_EQ(cell(name + 19, kCueRow).ch, ' ');
    EXPECT_EQ(cell(name + 20, kCueRow).ch, 0xF0);  // the gauge is where it belongs
    // Colours beyond the table: the fixtures fall back to the chase step's
    // scene, which has none either.
    EXPECT_EQ(row(2, 6, 7), "       ");
    EXPECT_EQ(cell(6, 2).bg, colour(ColBlue));
    key(kKeyBack);
    tick();
    EXPECT_EQ(fields().current_cue, 5);
    EXPECT_EQ(row(kCueRow, 4 + 12, 6), " ___  ");  // scene 300: none
}

}  // namespace
}  // namespace prismel::test
