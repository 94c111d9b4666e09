// A patch read from a damaged file: types outside 1-4 and starts outside the
// universe, up to the ends of their 16-bit fields. Shown without reading or
// writing outside a table or a cell, and repaired by editing.
#include "setpat_fixture.h"

namespace prismel::test {
namespace {

class SetpatDamaged : public SetpatTest {
protected:
    void SetUp() override {
        patch(0, 9, 9);        // counted as a colour fader: channels 10-12
        patch(1, 1, 700);
        patch(2, 4, -5);
        patch(3, -32768, 32767);
        patch(4, 32767, -32768);
        patch(5, 0, 511);
        open();
    }
};

TEST_F(SetpatDamaged, ShownAsAColourFaderAndNoStart) {
    EXPECT_EQ(type_of(0), "CLFD| 10 ");
    EXPECT_EQ(type_of(1), "TURB|--- ");
    EXPECT_EQ(type_of(2), "CLCM|--- ");
    EXPECT_EQ(type_of(3), "CLFD|--- ");
    EXPECT_EQ(type_of(4), "CLFD|--- ");
    EXPECT_EQ(type_of(5), "CLFD|512 ");
    for (int f = 0; f < 6; ++f) EXPECT_EQ(gap_after(f), "  ") << f;
}

TEST_F(SetpatDamaged, CountedAsTheColourFaderTheyShow) {
    go_to(1);
    key(kKeyF6);  // after the type 9 at 10: 13
    EXPECT_EQ(rec(1).start, 12);
    EXPECT_EQ(rec(1).layout, 1);
    go_to(10);
    input_.type("12");  // the type 9's last channel
    key(kKeyF5);
    EXPECT_EQ(message(), "ﾁｬﾝﾈﾙが重複しています");
    go_to(0);
    input_.escape();
    key(kKeyF5);
    EXPECT_EQ(input_.requests.back().ranges.int_max, 510);
}

TEST_F(SetpatDamaged, ContinuingAfterAStartOutsideTheUniverseDoesNothing) {
    go_to(2);
    key(kKeyF6);  // after 700
    go_to(3);
    key(kKeyF6);  // after -5
    EXPECT_EQ(rec(2).start, -5);
    EXPECT_EQ(rec(3).start, 32767);
    EXPECT_EQ(message(), "前の灯体にチャンネルがありません");
    // A start outside the universe blocks no channel.
    go_to(7);
    input_.type("1");
    key(kKeyF5);
    EXPECT_EQ(rec(7).start, 0);
}

TEST_F(SetpatDamaged, EditingRepairsTheRecord) {
    key(kKeyF7);  // type 9: unpatched as the colour fader it showed
    EXPECT_EQ(rec(0).layout, 2);
    EXPECT_EQ(rec(0).start, kNone);
    key(kKeyF7);  // 700: no start
    EXPECT_EQ(rec(1).start, kNone);
    input_.type("40");
    key(kKeyF5);  // -5 gets a start
    EXPECT_EQ(rec(2).start, 39);
    key(kKeyF3);  // -32768 becomes a scroller, its start kept
    EXPECT_EQ(rec(3).layout, 3);
    EXPECT_EQ(rec(3).start, 32767);
    EXPECT_EQ(type_of(3), "SCRL|--- ");
    box_.answer(1);
    key(kKeyF8);
    for (int f = 0; f < kFixtures; ++f) EXPECT_EQ(rec(f).start, kNone);
}

}  // namespace
}  // namespace prismel::test
