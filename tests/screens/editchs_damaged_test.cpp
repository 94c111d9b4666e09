// Chases read from damaged files: a step count of 200, step scenes outside
// the scene table, junk past the count, names without a terminator. The
// editor shows and edits them without reaching outside a table, and an edit
// writes back a sound record.
#include <cstring>

#include "editchs_fixture.h"

namespace prismel::test {
namespace {

class EditchsDamaged : public EditchsTest {
protected:
    void SetUp() override {
        ChaseRecord& c = g_show.chases[0];
        std::memset(c.name, 'C', sizeof c.name);
        c.step_count = 200;
        for (int k = 0; k < kChaseSteps; ++k) c.steps[k] = static_cast<int16_t>(k % 2 ? 900 : 3);
        ChaseRecord& d = g_show.chases[1];
        d.step_count = 2;
        d.steps[0] = -7;
        d.steps[1] = 5;
        d.steps[2] = 250;  // past the count
        std::memset(d.name, 0x95, sizeof d.name);  // lead bytes to the end
        SceneRecord& s = g_show.scenes[3];
        // One ASCII byte, then lead bytes: the twentieth byte's trail lies
        // beyond the name, and there is no terminator.
        std::memset(s.name, 0x83, sizeof s.name);
        s.name[0] = 'A';
        open();
    }

    static void expect_sound(int chase) {
        const ChaseRecord& c = g_show.chases[chase];
        ASSERT_LE(c.step_count, kChaseSteps);
        for (int k = 0; k < kChaseSteps; ++k) {
            if (k >= c.step_count)
                EXPECT_EQ(c.steps[k], kNone) << k;
            else
                EXPECT_TRUE(c.steps[k] == kNone || valid_scene(c.steps[k])) << k;
        }
        EXPECT_NE(std::memchr(c.name, 0, sizeof c.name), nullptr);
    }
};

TEST_F(EditchsDamaged, ShowsFortyEightStepsAndOutsideScenesAsNone) {
    EXPECT_EQ(row(kChaseRow, kLeft + 17, 21), std::string(20, 'C') + " ");
    EXPECT_EQ(scene(0), "  4");
    EXPECT_EQ(scene(1), "___");
    EXPECT_EQ(name(1), std::string(20, ' '));
    EXPECT_EQ(scene(47), "___");
    EXPECT_EQ(number(47), "  48");
    EXPECT_EQ(row(step_row(48), kLeft + 1, 41), std::string(41, ' '));
    // The scene name is cut before the lead byte that lost its trail.
    EXPECT_EQ(cell(kLeft + 17, step_row(0)).ch, 'A');
    EXPECT_EQ(cell(kLeft + 17 + 18, step_row(0)).ch, 0x83);
    EXPECT_EQ(cell(kLeft + 17 + 19, step_row(0)).ch, ' ');
    EXPECT_EQ(cell(kLeft + 17 + 20, step_row(0)).ch, ' ');

    key(kKeyEnd);
    EXPECT_EQ(cursor_slot(), 47);
    key(kKeyDown);
    EXPECT_EQ(cursor_slot(), 47);
    key('4');
    EXPECT_EQ(message(), "これ以上ステップを増やせません");
    EXPECT_TRUE(input_.requests.empty());
    EXPECT_EQ(g_show.chases[0].step_count, 200);  // shown, not changed

    input_.escape();
    key(kKeyF2);
    EXPECT_EQ(input_.requests.back().text, std::string(20, 'C'));
}

TEST_F(EditchsDamaged, AnEditWritesASoundRecord) {
    key(kKeyDelete);
    expect_sound(0);
    EXPECT_EQ(g_show.chases[0].step_count, 47);
    EXPECT_EQ(g_show.chases[0].steps[0], kNone);  // was 900
    EXPECT_EQ(g_show.chases[0].steps[1], 3);
    EXPECT_EQ(g_show.chases[0].steps[47], kNone);
    input_.type("9");
    key('9');
    EXPECT_EQ(g_show.chases[0].step_count, 48);
    EXPECT_EQ(g_show.chases[0].steps[0], 8);
    expect_sound(0);

    input_.type("2");
    key(kKeyF1);
    EXPECT_EQ(scene(0), "___");
    EXPECT_EQ(scene(1), "  6");
    EXPECT_EQ(scene(2), "___");
    for (int i = 0; i < 20; ++i) EXPECT_EQ(cell(kLeft + 17 + i, kChaseRow).ch, 0x95) << i;
    EXPECT_EQ(cell(kLeft + 37, kChaseRow).ch, ' ');  // the 21st byte stays out
    key(kKeyEnd);
    input_.type("1");
    key('1');
    expect_sound(1);
    EXPECT_EQ(steps(1, 4), (std::vector<int>{3, -1, 5, 0, -1}));
}

TEST_F(EditchsDamaged, ACopiedChaseArrivesRepaired) {
    input_.type("3");
    key(kKeyF1);
    input_.type("1");
    key(kKeyF6);
    expect_sound(2);
    EXPECT_EQ(g_show.chases[2].step_count, 48);
    EXPECT_EQ(std::string(g_show.chases[2].name), std::string(20, 'C'));
}

TEST_F(EditchsDamaged, KeysOutputAndRedrawsStayInsideTheTables) {
    for (int f = 0; f < kFixtures; ++f) patch(f, 1, f * 4);
    editchs_set_test_rate(StoredDuration(1));
    key(kKeyF9);
    ASSERT_EQ(fields().current_chase, 0);
    const int keys[] = {kKeyDown, kKeyF5, kKeyEnd, kKeyF5, kKeyDelete, kKeyPageDown, kKeyPageUp, kKeyHome};
    for (int k : keys) {
        key(k);
        step(7);
        tick();
    }
    for (int i = 0; i < 60; ++i) {
        step();
        tick();
    }
    key(kKeyF9);
    EXPECT_EQ(g_engine.snapshot_depth(), 0);
    expect_sound(0);
}

}  // namespace
}  // namespace prismel::test
