// The cue editor's keys and clicks on the cells, through the key handler.
#include "editcue_fixture.h"

namespace prismel::test {
namespace {

class EditcueKeys : public EditcueTest {
protected:
    void SetUp() override { open(); }
};

TEST_F(EditcueKeys, ADigitOpensTheColumnsInputAndTheValueGoesToItsField) {
    struct Case {
        int column;
        const char* typed;
        int16_t CueRecord::*field;
        int expected;
        int input_x, width;
        uint32_t mode;
    } cases[] = {
        {1, "2.5", &CueRecord::wait, 50, kWaitCol, 4, inp_mode::kReal},
        {1, "0", &CueRecord::wait, 0, kWaitCol, 4, inp_mode::kReal},
        {3, "4.35", &CueRecord::scene_xtime, 87, kSceneXCol, 4, inp_mode::kReal},  // x 20, rounded down
        {3, "0.3", &CueRecord::scene_xtime, 6, kSceneXCol, 4, inp_mode::kReal},
        {5, "1.5", &CueRecord::rate, 30, kRateCol, 4, inp_mode::kReal},
        {6, "99.9", &CueRecord::chase_xtime, 1998, kChaseXCol, 4, inp_mode::kReal},
        {2, "12", &CueRecord::scene, 11, kSceneCol, 3, inp_mode::kInteger | inp_mode::kSceneRef},
        {4, "7", &CueRecord::chase, 6, kChaseCol, 2, inp_mode::kInteger | inp_mode::kChaseRef},
    };
    int page_row = 0;
    for (const Case& c : cases) {
        go(page_row, c.column);
        cue(page_row).wait = 40;
        input_.type(c.typed);
        key(c.typed[0]);
        EXPECT_EQ(cue(page_row).*c.field, c.expected) << c.column << " " << c.typed;
        const LineInputRequest& r = input_.requests.back();
        EXPECT_EQ(r.column, c.input_x);
        EXPECT_EQ(r.row, kFirstRow + page_row);
        EXPECT_EQ(r.max_length, c.width);
        EXPECT_EQ(r.text, std::string(1, c.typed[0]));
        EXPECT_EQ(r.mode, c.mode);
        EXPECT_EQ(r.prompt, "");
        ++page_row;
    }
}

TEST_F(EditcueKeys, RefusedValuesLeaveTheCueAsItWas) {
    struct Case {
        int column;
        const char* typed;
        const char* message;
    } cases[] = {
        {2, "201", "範囲を超えています"}, {2, "0", "範囲を超えています"}, {4, "51", "範囲を超えています"},
        {1, "100", "範囲を超えています"}, {3, "x", "無効な入力文字があります"},
        {5, "0", "不正な値です"},         {5, "0.04", "不正な値です"},  // would be stored as 0
    };
    for (const Case& c : cases) {
        go(2, c.column);
        input_.type(c.typed);
        key('1');
        EXPECT_EQ(message(), c.message) << c.column << " " << c.typed;
        const CueRecord& q = cue(2);
        EXPECT_EQ(q.scene, kNone);
        EXPECT_EQ(q.chase, kNone);
        EXPECT_EQ(q.wait, 0);
        EXPECT_EQ(q.scene_xtime, 20);
        EXPECT_EQ(q.rate, 20);
    }
    go(2, 7);
    key('1');  // no input in the mode column
    input_.escape();
    go(2, 1);
    key('2');
    EXPECT_EQ(input_.requests.size(), std::size(cases) + 1);
    key('3', kModCtrl);  // not typed
    EXPECT_EQ(input_.requests.size(), std::size(cases) + 1);
}

TEST_F(EditcueKeys, ADigitInTheNumberColumnFindsTheCueOrItsWholeCue) {
    ASSERT_EQ(g_show.cues.insert(5, 55), 1);  // cue 5.5 at position 5; 7. is at 7
    struct Case {
        const char* typed;
        int from, lands;
    } cases[] = {
        {"5.5", 0, 5},  {"7.3", 0, 7},   {"12", 0, 12},  {"3276.8", 3, 3},
        {"2000", 3, 3}, {"0.5", 3, 3},   {"1000.0", 0, 999},
    };
    for (const Case& c : cases) {
        go(c.from, 0);
        input_.type(c.typed);
        key(c.typed[0]);
        EXPECT_EQ(g_screen->fkey_labels(), std::string(sj("ｼｰﾝ参|ﾁｪｲｽ参|$ｼｰﾝ編|ﾁｪｲｽ編|．挿入|．削除| ｺﾋﾟｰ| 出力|$$$")));
        tick();
        const int top = c.lands < kPageRows ? 0 : c.lands;
        EXPECT_TRUE(cursor_on(kNumberCol, kFirstRow + c.lands - top)) << c.typed;
    }
    EXPECT_EQ(input_.requests.back().max_length, 5);
    EXPECT_EQ(input_.requests.back().mode, inp_mode::kReal);
}

TEST_F(EditcueKeys, ModeKeysInTheModeColumnRepairAnyMode) {
    cue(1).mode = 7;
    go(1, 7);
    key('S');
    EXPECT_EQ(cue(1).mode, 1);
    key('L', kModShift);
    EXPECT_EQ(cue(1).mode, 0);
    key('S', kModAlt);
    EXPECT_EQ(cue(1).mode, 0);
    go(1, 6);
    key('S');
    EXPECT_EQ(cue(1).mode, 0);
}

TEST_F(EditcueKeys, DeleteTakesTheSceneOrTheChaseWithItsTimes) {
    struct Case {
        int column;
        int scene, scene_xtime, chase, rate, chase_xtime;
    } cases[] = {
        {2, kNone, 20, 300, 4, 6}, {4, 300, 4, kNone, 20, 20}, {0, 300, 4, 300, 4, 6},
        {1, 300, 4, 300, 4, 6},    {3, 300, 4, 300, 4, 6},     {7, 300, 4, 300, 4, 6},
    };
    for (const Case& c : cases) {
        cue(0) = CueRecord{10, 300, 4, 300, 4, 6, 9, 8};  // damaged: repaired by the delete
        go(0, c.column);
        key(kKeyDelete);
        const CueRecord& q = cue(0);
        EXPECT_EQ(q.scene, c.scene) << c.column;
        EXPECT_EQ(q.scene_xtime, c.scene_xtime) << c.column;
        EXPECT_EQ(q.chase, c.chase) << c.column;
        EXPECT_EQ(q.rate, c.rate) << c.column;
        EXPECT_EQ(q.chase_xtime, c.chase_xtime) << c.column;
        EXPECT_EQ(q.wait, 8);
    }
}

TEST_F(EditcueKeys, ShiftWheelNudgesTimesWithinTheirBounds) {
    struct Case {
        int column;
        int16_t CueRecord::*field;
        int start, delta, expected;
    } cases[] = {
        {1, &CueRecord::wait, 0, 1, 2},          {1, &CueRecord::wait, 0, -1, 0},
        {1, &CueRecord::wait, 1, -1, 1},         {3, &CueRecord::scene_xtime, 1996, 1, 1998},
        {3, &CueRecord::scene_xtime, 1998, 1, 1998}, {3, &CueRecord::scene_xtime, 1997, 1, 1997},
        {5, &CueRecord::rate, 20, -1, 18},       {5, &CueRecord::rate, 2, -1, 0},
        {6, &CueRecord::chase_xtime, 20, 1, 22}, {6, &CueRecord::chase_xtime, 32767, -1, 32765},
        {6, &CueRecord::chase_xtime, 32767, 1, 32767}, {6, &CueRecord::chase_xtime, -4, -1, -4},
        {0, &CueRecord::number, 10, 1, 10},      {2, &CueRecord::scene_xtime, 20, 1, 20},
        {7, &CueRecord::chase_xtime, 20, 1, 20},
    };
    for (const Case& c : cases) {
        go(3, c.column);
        cue(3).*c.field = static_cast<int16_t>(c.start);
        wheel(c.delta, kModShift);
        EXPECT_EQ(cue(3).*c.field, c.expected) << c.column << " " << c.start << " " << c.delta;
    }
    go(3, 1);
    wheel(-1);  // without Shift the wheel moves the cursor
    tick();
    EXPECT_TRUE(cursor_on(kWaitCol, kFirstRow + 4));
}

TEST_F(EditcueKeys, AListPickIsTakenOnceByTheNextRefresh) {
    go(4, 0);
    key(kKeyF1);
    ASSERT_NE(scene_list_control(), nullptr);
    for (int i = 0; i < 3; ++i) key(kKeyDown);
    EXPECT_EQ(key(kKeyEnter), kResultWindowClosed);  // the list closes; the editor gets key 0
    EXPECT_EQ(cue(4).scene, 3);
    EXPECT_EQ(g_screen->top_window(), editcue_window());
    cue(4).scene = kNone;
    go(4, 1);
    wheel(1, kModShift);  // 191, then a key 0 that finds no result
    EXPECT_EQ(cue(4).scene, kNone);
    EXPECT_EQ(cue(4).wait, 2);

    key(kKeyF2);
    ASSERT_NE(chase_list_control(), nullptr);
    key(kKeyDown);
    key(kKeyEsc);  // cancelled: nothing
    EXPECT_EQ(cue(4).chase, kNone);
    key(kKeyF2);
    key(kKeyDown);
    key(kKeyEnter);
    EXPECT_EQ(cue(4).chase, 1);
    tick();
    EXPECT_EQ(bar(), "ｼｰﾝ参|ﾁｪｲｽ参|$ｼｰﾝ編|ﾁｪｲｽ編|．挿入|．削除| ｺﾋﾟｰ| 出力|$$$");
}

TEST_F(EditcueKeys, F3InTheSceneAndChaseInputsOpensTheirLists) {
    go(6, 2);
    input_.f3();
    key('1');
    ASSERT_NE(scene_list_control(), nullptr);
    EXPECT_EQ(input_.fkey_labels_seen.back(), sj("$$ｼｰﾝ参"));
    key(kKeyDown);
    key(kKeyEnter);
    EXPECT_EQ(cue(6).scene, 1);
    go(6, 4);
    input_.f3();
    key('1');
    ASSERT_NE(chase_list_control(), nullptr);
    key(kKeyEnter);
    EXPECT_EQ(cue(6).chase, 0);
}

TEST_F(EditcueKeys, ClicksPickTheColumnAndTheRow) {
    // Columns counted from the window's column 1 (screen column 2).
    const int keep = -1;
    struct Case {
        int from_one, column;
    } cases[] = {{0, 0},     {6, 0},  {7, keep},  {8, 1},  {11, 1},    {12, keep}, {13, 2},  {15, 2},
                 {16, keep}, {38, 3}, {41, 3},    {42, keep}, {46, 4}, {47, 4},    {48, keep}, {69, 5},
                 {73, 5},    {74, keep}, {75, 6}, {78, 6},  {79, keep}, {81, 7},   {82, keep}};
    for (const Case& c : cases) {
        go(0, 3);
        EXPECT_EQ(click(c.from_one + 2, kFirstRow + 2), 0);
        tick();
        const int column = c.column == keep ? 3 : c.column;
        const int cols[] = {kNumberCol, kWaitCol, kSceneCol, kSceneXCol, kChaseCol, kRateCol, kChaseXCol, kModeCol};
        EXPECT_TRUE(cursor_on(cols[column], kFirstRow + 2)) << c.from_one;
    }
    go(0, 0);
    click(3, 2);  // the labels: the column only
    click(3, kFirstRow + kPageRows);  // the footer separator
    tick();
    EXPECT_TRUE(cursor_on(kNumberCol, kFirstRow));
    click(3, kFirstRow + kPageRows - 1);
    tick();
    EXPECT_TRUE(cursor_on(kNumberCol, kFirstRow + kPageRows - 1));
}

// An input during which the timer ticks, as the console's does.
class TickingLine : public LineInputSeam {
public:
    TickingLine(ChwScreen& s, ScriptedLineInput& script) : screen_(s), script_(script) {}
    LineInputResult run(ChwScreen& s, const LineInputRequest& r) override {
        deliver_tick(screen_);
        return script_.run(s, r);
    }

private:
    ChwScreen& screen_;
    ScriptedLineInput& script_;
};

TEST_F(EditcueKeys, AValueTypedWhileTheTimerDrawsIsShownAfterwards) {
    TickingLine line(screen_, input_);
    set_line_input(&line);
    go(1, 1);
    input_.type("3");
    key('3');
    tick();
    set_line_input(&input_);
    EXPECT_EQ(row(kFirstRow + 1, kWaitCol, 4), " 3.0");
}

TEST_F(EditcueKeys, EveryKeyClearsTheMessageLine) {
    go(0, 0);
    key(kKeyF7);
    EXPECT_EQ(message(), "ｺﾝﾏ･ｷｭｰ以外は削除できません");
    key(kKeyShift, kModShift);
    EXPECT_EQ(message(), "");
}

TEST_F(EditcueKeys, EscWritesTheCueFileAndClosesTheWindow) {
    go(2, 1);
    input_.type("1");
    key('1');
    EXPECT_EQ(key(kKeyEsc), kResultRedrawTop);
    EXPECT_FALSE(editcue_is_open());
    EXPECT_EQ(g_screen->top_window(), backdrop_);
    const std::vector<unsigned char> bytes = read_bytes(folder_.file("PRSMDATA.CUE"));
    ASSERT_EQ(bytes.size(), 16000u);
    EXPECT_EQ(bytes[2 * 16 + 14], 20);  // cue 3.'s wait
    EXPECT_EQ(bytes[2 * 16 + 15], 0);
}

}  // namespace
}  // namespace prismel::test
