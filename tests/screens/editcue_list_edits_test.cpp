// Point cues put in and taken out, and range copies, through the editor's
// keys: what the operator is asked and told.
#include "editcue_fixture.h"

namespace prismel::test {
namespace {

class EditcueListEdits : public EditcueTest {
protected:
    void SetUp() override { open(); }
};

TEST_F(EditcueListEdits, PointCueBeforeTheCursorCue) {
    go(5, 3);  // cue 6.; the one before is 5.
    struct Case {
        const char* typed;  // nullptr: Enter on the preset text
        const char* message;
        int number_at_5;
    } cases[] = {
        {nullptr, "範囲外です", 60}, {"6", "範囲外です", 60},       {"4.9", "範囲外です", 60},
        {"3276.8", "範囲外です", 60}, {"5.05", "範囲外です", 60}, {"5.9", "", 59},
    };
    for (const Case& c : cases) {
        c.typed ? input_.type(c.typed) : input_.enter();
        key(kKeyF6);
        EXPECT_EQ(message(), c.message) << (c.typed ? c.typed : "5.");
        EXPECT_EQ(cue(5).number, c.number_at_5);
        const LineInputRequest& r = input_.requests.back();
        EXPECT_EQ(r.text, "5.");
        EXPECT_EQ(r.prompt, "");
        EXPECT_EQ(r.column, 3);
        EXPECT_EQ(r.row, kFirstRow + 5);
        EXPECT_EQ(r.max_length, 5);
        EXPECT_EQ(r.mode, inp_mode::kReal);
    }
    EXPECT_EQ(cue(6).number, 60);
    EXPECT_EQ(cue(999).number, 9990);
    tick();
    EXPECT_EQ(row(kFirstRow + 5, kNumberCol, 6), "   5.9");  // the cursor is on the new cue
    EXPECT_TRUE(cursor_on(kSceneXCol, kFirstRow + 5));
}

TEST_F(EditcueListEdits, NoPointCueBeforeTheFirstOrIntoAFullList) {
    go(0, 0);
    key(kKeyF6);
    EXPECT_EQ(message(), "これ以上挿入できません");
    use_cue(999, 1);
    go(3, 0);
    key(kKeyF6);
    EXPECT_EQ(message(), "これ以上挿入できません");
    EXPECT_TRUE(input_.requests.empty());
}

TEST_F(EditcueListEdits, OnlyPointCuesAreDeleted) {
    ASSERT_EQ(g_show.cues.insert(5, 55), 1);
    use_cue(6, 2);
    go(6, 0);
    key(kKeyF7);
    EXPECT_EQ(message(), "ｺﾝﾏ･ｷｭｰ以外は削除できません");
    EXPECT_EQ(cue(6).number, 60);
    go(5, 0);
    key(kKeyF7);
    EXPECT_EQ(message(), "");
    EXPECT_EQ(cue(5).number, 60);
    EXPECT_EQ(cue(5).scene, 2);
    EXPECT_EQ(cue(999).number, 10000);
}

class EditcueRangeCopyKeys : public EditcueListEdits {
protected:
    void SetUp() override {
        for (int i = 0; i < 3; ++i) use_cue(i, 10 + i);
        EditcueListEdits::SetUp();
    }
    void copy(std::initializer_list<const char*> typed) {
        for (const char* t : typed) input_.type(t);
        key(kKeyF8);
    }
};

TEST_F(EditcueRangeCopyKeys, ThreePromptsEachRepeatingWhatWasTyped) {
    copy({"1", "3.0", "10"});
    ASSERT_EQ(input_.requests.size(), 3u);
    EXPECT_EQ(to_utf8(input_.requests[0].prompt), "コピー  ｺﾋﾟｰ元ｷｭｰNo.=");
    EXPECT_EQ(to_utf8(input_.requests[1].prompt), "コピー  ｺﾋﾟｰ元ｷｭｰNo.=1 ～ ");
    EXPECT_EQ(to_utf8(input_.requests[2].prompt), "コピー  ｺﾋﾟｰ元ｷｭｰNo.=1 ～ 3.0 →  ｺﾋﾟｰ先ｷｭｰNo.=");
    for (const LineInputRequest& r : input_.requests) {
        EXPECT_EQ(r.column, 3);
        EXPECT_EQ(r.row, kFooterRow);
        EXPECT_EQ(r.max_length, 5);
        EXPECT_EQ(r.text, "");
        EXPECT_EQ(r.mode, inp_mode::kReal);
    }
    EXPECT_EQ(message(), "");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(cue(9 + i).scene, 10 + i);
    tick();
    EXPECT_EQ(row(kFirstRow + 11, kSceneCol, 3), " 13");
}

TEST_F(EditcueRangeCopyKeys, RefusalsAndStops) {
    struct Case {
        std::vector<const char*> typed;
        const char* message;
        size_t asked;
        int scene_of_10;  // what cue 10. holds afterwards
    } cases[] = {
        {{"99.5"}, "キューNo.が見つかりません", 1, kNone},
        {{"3276.8"}, "キューNo.が見つかりません", 1, kNone},
        {{"1", "3.5"}, "キューNo.が見つかりません", 2, kNone},
        {{"3", "1"}, "不正な指定です", 2, kNone},
        {{"1", "3", "2"}, "不正な指定です", 3, kNone},
        {{"1", "3", "3"}, "不正な指定です", 3, kNone},
        {{"1", "3", "10.5"}, "キューNo.が見つかりません", 3, kNone},
        {{"1", "3", "10"}, "ｺﾋﾟｰ先が空ではありません", 3, 10},  // 11. is used
    };
    for (const Case& c : cases) {
        for (int i = 9; i < 12; ++i) use_cue(i, kNone);
        use_cue(10, 99);
        input_.requests.clear();
        for (const char* t : c.typed) input_.type(t);
        key(kKeyF8);
        EXPECT_EQ(message(), c.message) << c.typed.back();
        EXPECT_EQ(input_.requests.size(), c.asked) << c.typed.back();
        EXPECT_EQ(cue(9).scene, c.scene_of_10) << c.typed.back();
        EXPECT_EQ(cue(10).scene, 99);
        EXPECT_EQ(cue(11).scene, kNone);
    }
    input_.escape();
    key(kKeyF8);
    EXPECT_EQ(message(), "");
}

TEST_F(EditcueRangeCopyKeys, TargetsPastCue3276Point7StopWithTheMessage) {
    cue(998).number = 32750;
    cue(999).number = 32760;
    copy({"1", "3", "3276"});
    EXPECT_EQ(message(), "これ以上ｺﾋﾟｰできません");
    EXPECT_EQ(cue(999).scene, 10);  // cue 1. went to 3276. before the stop
    EXPECT_EQ(cue(999).number, 32760);
    for (int i = 1; i < kCues; ++i) ASSERT_LT(cue(i - 1).number, cue(i).number) << i;
}

// The screen is brought up to date between the questions.
class RedrawingLine : public LineInputSeam {
public:
    RedrawingLine(ChwScreen& s, ScriptedLineInput& script) : screen_(s), script_(script) {}
    LineInputResult run(ChwScreen& s, const LineInputRequest& r) override {
        shown.push_back(row_text(screen_, 3 + 9, 15, 3));
        return script_.run(s, r);
    }
    std::vector<std::string> shown;

private:
    ChwScreen& screen_;
    ScriptedLineInput& script_;
};

TEST_F(EditcueRangeCopyKeys, TheTableIsRedrawnBetweenThePrompts) {
    RedrawingLine line(screen_, input_);
    set_line_input(&line);
    use_cue(9, 5);  // changed behind the editor's back: shown at the next redraw
    copy({"1", "3", "9"});
    set_line_input(&input_);
    EXPECT_EQ(line.shown, (std::vector<std::string>{"---", "  6", "  6"}));
}

}  // namespace
}  // namespace prismel::test
