#include <gtest/gtest.h>

#include <string>

#include "chw_fake_host.h"
#include "chwin/chw_fkey_bar.h"
#include "chwin/chw_keys.h"
#include "chwin/chw_screen.h"
#include "chwin/grid_dump.h"
#include "platform/text_codec.h"

namespace prismel {
namespace {

std::string label(const FkeyLabels& l, int j) { return to_utf8(l.slot[j].label); }

TEST(FkeyLabelsTest, LongLabelSpillsIntoTheNextSlot) {
    const FkeyLabels l = parse_fkey_labels("ABCDEFGH|X");
    EXPECT_EQ(label(l, 0), "ABCDEF");
    EXPECT_EQ(label(l, 1), "GH    ");
    EXPECT_EQ(label(l, 2), "X     ");
    for (int j = 0; j < 3; ++j) EXPECT_EQ(l.slot[j].kind, FkeySlotKind::Label);
    for (int j = 3; j < kFkeyCount; ++j) EXPECT_EQ(l.slot[j].kind, FkeySlotKind::Empty);
}

TEST(FkeyLabelsTest, DollarIsAnEmptySlotOfItsOwn) {
    const FkeyLabels l = parse_fkey_labels(sj(" 新規| 削除|ﾌｫﾙﾀﾞ|ﾃﾞﾌｫﾙﾄ| 保存|$ 読込"));
    EXPECT_EQ(label(l, 0), " 新規 ");
    EXPECT_EQ(label(l, 1), " 削除 ");
    EXPECT_EQ(label(l, 2), "ﾌｫﾙﾀﾞ ");
    EXPECT_EQ(label(l, 3), "ﾃﾞﾌｫﾙﾄ");
    EXPECT_EQ(label(l, 4), " 保存 ");
    EXPECT_EQ(l.slot[5].kind, FkeySlotKind::Empty);
    EXPECT_EQ(label(l, 5), "      ");
    EXPECT_EQ(label(l, 6), " 読込 ");
    EXPECT_EQ(l.slot[7].kind, FkeySlotKind::Empty);
}

TEST(FkeyLabelsTest, MainMenuLabels) {
    const FkeyLabels l =
        parse_fkey_labels(sj("シーン|チｪｲｽ|キュー|ﾕｰｻﾞ色|Ｆキー|灯体設|ｵﾌﾟｼｮﾝ|$ 実行|ﾃﾞｨｽｸ|$ 終了"));
    EXPECT_EQ(label(l, 0), "シーン");
    EXPECT_EQ(label(l, 3), "ﾕｰｻﾞ色");
    EXPECT_EQ(label(l, 6), "ｵﾌﾟｼｮﾝ");
    EXPECT_EQ(l.slot[7].kind, FkeySlotKind::Empty);
    EXPECT_EQ(label(l, 8), " 実行 ");
    EXPECT_EQ(label(l, 9), "ﾃﾞｨｽｸ ");
    EXPECT_EQ(l.slot[10].kind, FkeySlotKind::Empty);
    EXPECT_EQ(label(l, 11), " 終了 ");
}

TEST(FkeyLabelsTest, UnavailableAndBlankCaps) {
    const FkeyLabels l = parse_fkey_labels("-Off|||-|x");
    EXPECT_EQ(l.slot[0].kind, FkeySlotKind::Unavailable);
    EXPECT_EQ(label(l, 0), "Off   ");
    EXPECT_EQ(l.slot[1].kind, FkeySlotKind::Label);  // "|" at the start: blank cap
    EXPECT_EQ(l.slot[2].kind, FkeySlotKind::Label);
    EXPECT_EQ(l.slot[3].kind, FkeySlotKind::Unavailable);
    EXPECT_EQ(label(l, 4), "x     ");
    EXPECT_EQ(parse_fkey_labels(nullptr).slot[0].kind, FkeySlotKind::Empty);
    // More than twelve slots: the rest is ignored.
    const FkeyLabels many = parse_fkey_labels("1|2|3|4|5|6|7|8|9|10|11|12|13");
    EXPECT_EQ(label(many, 11), "12    ");
}

TEST(FkeyLabelsTest, CapColumns) {
    EXPECT_EQ(fkey_at_column(1), 0);
    EXPECT_EQ(fkey_at_column(2), kKeyF1);
    EXPECT_EQ(fkey_at_column(7), kKeyF1);
    EXPECT_EQ(fkey_at_column(8), 0);
    EXPECT_EQ(fkey_at_column(30), 0);
    EXPECT_EQ(fkey_at_column(31), kKeyF5);
    EXPECT_EQ(fkey_at_column(59), 0);
    EXPECT_EQ(fkey_at_column(60), kKeyF9);
    EXPECT_EQ(fkey_at_column(66), 0);
    EXPECT_EQ(fkey_at_column(86), kKeyF12);
    EXPECT_EQ(fkey_at_column(87), 0);
    EXPECT_EQ(fkey_cap_column(6), 38);
}

class FkeyBarTest : public ::testing::Test {
protected:
    test::FakeHost host;
    ChwScreen s{&host};
};

TEST_F(FkeyBarTest, NothingBeforeTheLayout) {
    s.draw_fkey_bar("A|B");
    EXPECT_STREQ(s.fkey_labels(), "");
    s.press_fkey(kKeyF1);
    EXPECT_TRUE(s.pressed_key_rect().empty());
}

TEST_F(FkeyBarTest, DrawsGroupDigitsAndCaps) {
    s.set_fkey_row(30);
    s.draw_fkey_bar("Go|-Off|$Last");
    EXPECT_EQ(row_text(s, 30, 0, 30), std::string(" 1") + "Go    " + " " + "Off   " + " " + "      " + " " +
                                          "Last  " + " ");
    EXPECT_EQ(s.cell(1, 30).fg, s.colour_of(ColGreen));
    EXPECT_EQ(s.cell(1, 30).bg, s.colour_of(WinNgFg));
    EXPECT_EQ(s.cell(2, 30).bg, s.colour_of(Button));
    EXPECT_EQ(s.cell(7, 30).attr, 0xA0u);
    EXPECT_EQ(s.cell(8, 30).bg, s.colour_of(ScreenBg));
    EXPECT_EQ(s.cell(9, 30).bg, s.colour_of(WinBg));  // unavailable
    EXPECT_EQ(s.cell(9, 30).attr, 0xA0u);
    EXPECT_EQ(s.cell(16, 30).attr, 0u);  // empty
    EXPECT_EQ(s.cell(16, 30).bg, s.colour_of(WinBg));
    EXPECT_EQ(s.cell(23, 30).bg, s.colour_of(Button));
    EXPECT_EQ(s.cell(30, 30).ch, '5');
    EXPECT_EQ(s.cell(59, 30).ch, '9');
    EXPECT_EQ(s.cell(87, 30).ch, ' ');
    EXPECT_EQ(s.cell(88, 30).ch, ' ');
}

TEST_F(FkeyBarTest, RedrawingTheSameLabelsCostsNothingButUpdatesHistory) {
    s.set_fkey_row(30);
    s.draw_fkey_bar("A|B");
    s.draw_fkey_bar("C|D");
    EXPECT_STREQ(s.previous_fkey_labels(), "A|B");
    EXPECT_STREQ(s.fkey_labels(), "C|D");
    host.reset();
    s.draw_fkey_bar("C|D");
    EXPECT_TRUE(host.invalidated.empty());
    EXPECT_STREQ(s.previous_fkey_labels(), "C|D");
}

TEST_F(FkeyBarTest, RestoringThePreviousLabels) {
    s.set_fkey_row(30);
    s.draw_fkey_bar("Old|Bar");
    s.draw_fkey_bar("Input");
    s.draw_fkey_bar(s.previous_fkey_labels());
    EXPECT_STREQ(s.fkey_labels(), "Old|Bar");
    EXPECT_EQ(row_text(s, 30, 2, 6), "Old   ");
}

TEST_F(FkeyBarTest, PressAndRelease) {
    s.set_fkey_row(30);
    s.press_fkey(kKeyEnter);
    EXPECT_TRUE(s.pressed_key_rect().empty());
    s.press_fkey(kKeyF2);
    const ChwRect f2{9 * 10, 30 * 24, 15 * 10, 30 * 24 + 24};
    EXPECT_EQ(s.pressed_key_rect(), f2);
    ASSERT_EQ(host.repainted.size(), 1u);
    EXPECT_EQ(host.repainted[0], f2);
    // Another cap without a release: the first one is repainted plain.
    host.reset();
    s.press_fkey(kKeyF3);
    ASSERT_EQ(host.invalidated.size(), 1u);
    EXPECT_EQ(host.invalidated[0], f2);
    host.reset();
    s.release_fkey();
    EXPECT_TRUE(s.pressed_key_rect().empty());
    ASSERT_EQ(host.invalidated.size(), 1u);
    EXPECT_EQ(host.invalidated[0].left, 16 * 10);
    s.release_fkey();
    EXPECT_EQ(host.invalidated.size(), 1u);
}

}  // namespace
}  // namespace prismel
