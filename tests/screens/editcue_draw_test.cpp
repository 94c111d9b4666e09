// What the cue editor shows: the table's cells, damaged records, the cursor
// and when the table is redrawn.
#include <cstring>
#include <utility>
#include <vector>

#include "editcue_fixture.h"
#include "screens/editcue_draw.h"

namespace prismel::test {
namespace {

// A record row as expected from screen column 2 to 87: ASCII texts placed at
// their screen columns on blanks.
std::string placed(std::vector<std::pair<int, std::string>> texts) {
    std::string row(86, ' ');
    for (auto& [column, text] : texts) row.replace(column - 2, text.size(), text);
    return row;
}

using EditcueDraw = EditcueTest;

TEST_F(EditcueDraw, OpenShowsTitleStatusLabelsRecordsAndBar) {
    name_scene(4, "Red wash");
    name_chase(2, "Swirl");
    use_cue(1, 4, 30, 2, 40);
    cue(1).rate = 5;
    cue(1).chase_xtime = 0;
    cue(1).mode = 1;
    open();
    EXPECT_EQ(editcue_open(backdrop_), 0);  // already open
    EXPECT_EQ(row(0, 2, 13), " キューの編集");
    EXPECT_EQ(row(1, 51, 17), "出力 OFF         ");
    EXPECT_EQ(row(2, 2, 86),
              " ｷｭｰNo. ｳｪｲﾄ  ｼｰﾝNo. ｼｰﾝ名             ｸﾛｽ   ﾁｪｲｽNo.  ﾁｪｲｽ名           ﾚｲﾄ  ｸﾛｽ ﾓｰﾄﾞ  ");
    EXPECT_EQ(record_row(0), placed({{3, "   1. "}, {10, "__._"}, {15, "---"}, {48, "--"}, {72, "__._"},
                                     {77, "__._"}, {83, "_"}}));
    EXPECT_EQ(record_row(1), placed({{3, "   2. "}, {10, " 2.0"}, {15, "  5"}, {18, " Red wash"}, {40, " 1.5"},
                                     {48, " 3"}, {50, " Swirl"}, {72, " 0.2"}, {77, " 0.0"}, {83, "S"}}));
    EXPECT_EQ(record_row(54), placed({{3, "  55. "}, {10, "__._"}, {15, "---"}, {48, "--"}, {72, "__._"},
                                      {77, "__._"}, {83, "_"}}));
    EXPECT_EQ(row(kFirstRow + 55, 2, 86), std::string(86, ' '));  // the footer separator
    EXPECT_EQ(bar(), "ｼｰﾝ参|ﾁｪｲｽ参|$ｼｰﾝ編|ﾁｪｲｽ編|．挿入|．削除| ｺﾋﾟｰ| 出力|$$$");
    EXPECT_EQ(row(kBarRow, 2, 6), "ｼｰﾝ参 ");
    EXPECT_EQ(row(kBarRow, 16, 6), "      ");  // F3 has no cap
}

TEST_F(EditcueDraw, CellColoursAndTheCursor) {
    name_scene(0, "A");
    use_cue(0, 0);
    open();
    const int r = kFirstRow;
    EXPECT_TRUE(cursor_on(kNumberCol, r));
    EXPECT_EQ(cell(kNumberCol, r).fg, colour(HeaderY));
    EXPECT_EQ(cell(kNumberCol + 6, r).bg, colour(WinBg));  // the cursor covers the cell only
    EXPECT_EQ(cell(kSceneCol + 4, r).fg, colour(WinHiFg));  // the name
    EXPECT_FALSE(cursor_on(kSceneCol, r));
    key(kKeyRight);
    key(kKeyRight);
    key(kKeyDown);
    tick();
    EXPECT_FALSE(cursor_on(kNumberCol, r));
    EXPECT_TRUE(cursor_on(kSceneCol, r + 1));
    EXPECT_TRUE(cursor_on(kSceneCol + 2, r + 1));
    EXPECT_FALSE(cursor_on(kSceneCol + 3, r + 1));
    for (int i = 0; i < 5; ++i) key(kKeyRight);
    tick();
    EXPECT_TRUE(cursor_on(kModeCol, r + 1));
}

TEST_F(EditcueDraw, TimesWaitsAndModesAsTheTableShowsThem) {
    struct Case {
        int stored;
        const char* time;
        const char* wait;
    } cases[] = {{0, " 0.0", "__._"},  {-6, "-0.3", "__._"},  {2, " 0.1", " 0.1"},
                 {40, " 2.0", " 2.0"}, {1998, "99.9", "99.9"}, {2000, "****", "****"},
                 {-200, "****", "__._"}, {32767, "****", "****"}, {-32768, "****", "__._"}};
    for (const Case& c : cases) {
        EXPECT_STREQ(cue_time_text(c.stored).text, c.time) << c.stored;
        EXPECT_STREQ(cue_wait_text(c.stored).text, c.wait) << c.stored;
    }
    EXPECT_STREQ(cue_mode_text(0), "L");
    EXPECT_STREQ(cue_mode_text(1), "S");
    EXPECT_STREQ(cue_mode_text(7), "_");
    EXPECT_STREQ(cue_mode_text(-1), "_");
}

TEST_F(EditcueDraw, DamagedRecordsShowWithinTheirCells) {
    // Whatever a file holds: references past their tables, times and modes
    // of any 16-bit value, numbers at both ends of the field, a name that
    // fills its field without a terminator.
    std::memset(g_show.scenes[199].name, 'N', sizeof g_show.scenes[199].name);
    cue(0) = CueRecord{-32768, 300, 32767, 99, -32768, 5, 7, -5};
    cue(1) = CueRecord{32767, 199, -20, 49, 32767, 2000, 7, 32767};
    cue(2) = CueRecord{25, -2, 20, -7, 20, 20, 0, 0};
    name_chase(49, "Z");
    open();
    EXPECT_EQ(record_row(0), placed({{3, "-3276.8"}, {10, "__._"}, {15, "---"}, {48, "--"}, {72, "__._"},
                                     {77, "__._"}, {83, "_"}}));
    EXPECT_EQ(record_row(1), placed({{3, "3276.7"}, {10, "****"}, {15, "200"}, {18, " " + std::string(20, 'N')},
                                     {40, "-1.0"}, {48, "50"}, {50, " Z"}, {72, "****"}, {77, "****"}, {83, "_"}}));
    EXPECT_EQ(record_row(2), placed({{3, "   2.5"}, {10, "__._"}, {15, "---"}, {48, "--"}, {72, "__._"},
                                     {77, "__._"}, {83, "_"}}));
}

TEST_F(EditcueDraw, ShiftJisNamesKeepTheirColumns) {
    name_scene(0, sj("表ソ能"));
    name_chase(0, sj("表示"));
    use_cue(0, 0, 20, 0);
    open();
    EXPECT_EQ(row(kFirstRow, kSceneCol, 29), "  1 表ソ能                1.0");
    EXPECT_EQ(row(kFirstRow, kChaseCol, 28), " 1 表示                  1.0");
}

TEST_F(EditcueDraw, TheTableIsRedrawnOnlyWhenAKeyOrClickAsksForIt) {
    open();
    const std::string before = record_row(3);
    use_cue(3, 7);
    tick();
    EXPECT_EQ(record_row(3), before);  // nothing asked for a redraw
    // The engine's status is kept live on every tick all the same.
    g_engine.go_to_cue(3);
    tick();
    EXPECT_EQ(row(1, 51, 17), "出力 ｷｭｰ:   4.   ");
    key(kKeyShift, kModShift);  // any key
    tick();
    EXPECT_NE(record_row(3), before);
    EXPECT_EQ(row(kFirstRow + 3, kSceneCol, 3), "  8");
    use_cue(4, 8);
    tick();
    EXPECT_EQ(row(kFirstRow + 4, kSceneCol, 3), "---");
    click(60, 1);  // any click
    tick();
    EXPECT_EQ(row(kFirstRow + 4, kSceneCol, 3), "  9");
}

TEST_F(EditcueDraw, ScrollsToACueFarDown) {
    use_cue(149, 3);
    open();
    input_.type("150");
    key('1');
    tick();
    EXPECT_EQ(record_row(0).substr(0, 13), "  150.  __._ ");
    EXPECT_EQ(row(kFirstRow, kSceneCol, 3), "  4");
    EXPECT_TRUE(cursor_on(kNumberCol, kFirstRow));
    key(kKeyEnd);
    tick();
    EXPECT_EQ(record_row(0).substr(0, 7), "  999. ");
    EXPECT_EQ(record_row(1).substr(0, 7), " 1000. ");
    EXPECT_EQ(record_row(2), std::string(86, ' '));  // no record past the last
    EXPECT_TRUE(cursor_on(kModeCol, kFirstRow + 1));
}

}  // namespace
}  // namespace prismel::test
