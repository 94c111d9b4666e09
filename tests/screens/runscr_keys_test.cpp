// The run screen's keys, through the same delivery as the main window.
#include "runscr_fixture.h"

namespace prismel::test {
namespace {

class RunscrKeys : public RunscrTest {
protected:
    void SetUp() override {
        // Every scene gives fixture 1 a colour, so every scene call plays.
        for (int sc = 0; sc < kScenes; ++sc) g_show.scenes[sc].colour[0] = 1;
        use_cue(2, 7, 30);
        use_cue(5, 8);
        use_cue(7, 9);
        open();
    }
};

TEST_F(RunscrKeys, GoWalksTheUsedCuesThenStandbyThenStartsAgain) {
    std::vector<int> seen;
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(key(kKeyEnter), kResultHandled);
        seen.push_back(fields().current_cue);
    }
    EXPECT_EQ(seen, (std::vector<int>{2, 5, 7, kNone, 2}));
    EXPECT_EQ(fields().current_scene, 7);
}

TEST_F(RunscrKeys, BackFromTheFirstCueAndFromStandbyIsStandby) {
    key(kKeyEnter);
    key(kKeyEnter);
    key(kKeyBack);
    EXPECT_EQ(fields().current_cue, 2);
    key(kKeyBack);
    EXPECT_EQ(fields().current_cue, kNone);
    EXPECT_EQ(fields().current_scene, kNone);
    key(kKeyBack);
    EXPECT_EQ(fields().current_cue, kNone);
}

TEST_F(RunscrKeys, ReGoRestoresTheCuesSceneAndKeepsStandby) {
    key(kKeyDelete);
    EXPECT_EQ(fields().current_cue, kNone);
    key(kKeyEnter);
    key(kKeyF(4));
    EXPECT_EQ(fields().current_scene, 3);
    key(kKeyDelete);
    EXPECT_EQ(fields().current_scene, 7);
    key(kKeyF(4));
    key(kKeyF(10), kModShift);  // the same from the auxiliary menu
    EXPECT_EQ(fields().current_scene, 7);
    EXPECT_EQ(fields().current_cue, 2);
}

TEST_F(RunscrKeys, SceneCallAndTakeBackWithACurrentCue) {
    runscr_close();
    fkey_time = 10;
    open();
    key(kKeyEnter);
    key(kKeyF1);
    EXPECT_EQ(fields().current_scene, 0);
    EXPECT_EQ(fields().scene_cross_total, steps_of(StoredDuration(10)));
    key(kKeyF1);  // the scene that is up: back to the cue's own, at the cue's time
    EXPECT_EQ(fields().current_scene, 7);
    EXPECT_EQ(fields().scene_cross_total, steps_of(StoredDuration(30)));
    EXPECT_EQ(fields().current_cue, 2);
}

TEST_F(RunscrKeys, SceneTakeBackWithoutACueCutsToNone) {
    key(kKeyF(3));
    EXPECT_EQ(fields().current_scene, 2);
    key(kKeyF(3));
    EXPECT_EQ(fields().current_scene, kNone);
    EXPECT_EQ(fields().scene_cross_total, 0);
}

TEST_F(RunscrKeys, PagesStopAtOneAndTwentyAndPageTwentyCallsTheLastScenes) {
    key(kKeyUp);
    EXPECT_EQ(fields().scene_page, 0);
    for (int i = 0; i < 25; ++i) key(kKeyDown);
    EXPECT_EQ(fields().scene_page, 19);
    key(kKeyF1);
    EXPECT_EQ(fields().current_scene, 190);
    key(kKeyF10);
    EXPECT_EQ(fields().current_scene, 199);
    tick();
    EXPECT_EQ(row(kBarRow, 2, 6), "SCN191");
    EXPECT_EQ(row(kBarRow, 81, 6), "      ");  // F12 empty
    EXPECT_EQ(row(kBarRow, 67, 6), "SCN200");
    EXPECT_EQ(row(kCaptionRow, 1, 23), " シーンの呼び出し　頁20");
}

TEST_F(RunscrKeys, PresetModeIgnoresPagesAndModifiedFunctionKeysDoNothing) {
    key(kKeyHome, kModShift);
    EXPECT_EQ(fields().call_mode, 0);
    key(kKeyHome);
    EXPECT_EQ(fields().call_mode, 1);
    key(kKeyDown);
    EXPECT_EQ(fields().scene_page, 0);
    key(kKeyF1, kModShift);
    EXPECT_EQ(fields().call_mode, 0);
    key(kKeyF1, kModAlt);
    key(kKeyF2, kModCtrl);
    EXPECT_EQ(fields().current_scene, kNone);
    key(kKeyF2, kModShift);
    EXPECT_EQ(fields().call_mode, 1);
}

TEST_F(RunscrKeys, PresetsCallTheirTargetsAndTakeBack) {
    set_fkey(0, kFkeyCue, 5);
    set_fkey(1, kFkeyScene, 11, 0);
    set_fkey(2, kFkeyChase, 6, 10, 4);
    set_fkey(3, kFkeyStandby, kNone);
    set_fkey(4, kFkeyChase, 900);  // damaged target: refused
    g_show.chases[6].step_count = 2;
    g_show.chases[6].steps[0] = 1;
    g_show.chases[6].steps[1] = 2;
    key(kKeyHome);
    key(kKeyF1);
    EXPECT_EQ(fields().current_cue, 5);
    key(kKeyF2);
    EXPECT_EQ(fields().current_scene, 11);
    EXPECT_EQ(fields().scene_in, 255);  // cross time 0 cuts
    key(kKeyF3);
    EXPECT_EQ(fields().current_chase, 6);
    EXPECT_EQ(fields().rate, steps_of(StoredDuration(4)));
    EXPECT_EQ(fields().chase_mode, 0);
    key(kKeyF3);  // take back: cue 5 plays no chase
    EXPECT_EQ(fields().current_chase, kNone);
    key(kKeyF5);
    EXPECT_EQ(fields().current_chase, kNone);
    key(kKeyF4);
    EXPECT_EQ(fields().current_cue, kNone);
}

TEST_F(RunscrKeys, JumpFindsTheCueByNumber) {
    ASSERT_EQ(g_show.cues.insert(12, 125), 1);
    use_cue(12, 4);
    input_.type("12.5");
    key(kKeyInsert);
    EXPECT_EQ(fields().current_cue, 12);
    ASSERT_EQ(input_.requests.size(), 1u);
    const LineInputRequest& r = input_.requests[0];
    EXPECT_EQ(r.prompt, "");
    EXPECT_EQ(r.column, 4);
    EXPECT_EQ(r.row, 18);
    EXPECT_EQ(r.max_length, 5);
    EXPECT_EQ(r.mode, inp_mode::kReal);
}

TEST_F(RunscrKeys, JumpToAMissingNumberLeavesTheEngineAndSaysSo) {
    key(kKeyEnter);
    input_.type("999.9");
    key(kKeyF6, kModShift);
    EXPECT_EQ(fields().current_cue, 2);
    EXPECT_EQ(message(), "該当するｷｭｰNo.はありません");
    EXPECT_EQ(to_utf8(input_.requests.at(0).prompt), "ｼﾞｬﾝﾌﾟ先 ｷｭｰNo.= ");
    EXPECT_EQ(input_.requests.at(0).row, 58);
    key('Q');  // every key clears the message line
    EXPECT_EQ(message(), "");
    input_.escape();
    key(kKeyInsert);
    EXPECT_EQ(fields().current_cue, 2);
    EXPECT_EQ(message(), "");
}

// A line that lets the timer tick while it is open, as the console's does.
class TickingLine : public LineInputSeam {
public:
    explicit TickingLine(ChwScreen& s) : screen_(s) {}
    LineInputResult run(ChwScreen&, const LineInputRequest&) override {
        deliver_tick(screen_);
        labels_while_open = screen_.fkey_labels();
        return line_input_escape();
    }
    std::string labels_while_open;

private:
    ChwScreen& screen_;
};

TEST_F(RunscrKeys, RedrawLeavesTheInputsLabelsUpWhileItIsOpen) {
    TickingLine line(screen_);
    set_line_input(&line);
    tick();
    const std::string bar = screen_.fkey_labels();
    key(kKeyInsert);
    EXPECT_EQ(line.labels_while_open, "");
    EXPECT_EQ(screen_.fkey_labels(), bar);
}

TEST_F(RunscrKeys, CrossTimeIsTakenInTwentiethsAndSavedOnClose) {
    input_.type("4.35");
    key(kKeyF5, kModShift);
    EXPECT_EQ(fields().scene_call_xtime.value(), 87);  // not 86: the typed value is exact
    input_.type("100");
    key(kKeyF5, kModShift);  // refused by the line
    EXPECT_EQ(fields().scene_call_xtime.value(), 87);
    input_.type("1.5");
    key(kKeyF5, kModShift);
    tick();
    EXPECT_EQ(row(kCaptionRow, 1, 72), " シーンの呼び出し　頁 1    ｸﾛｽ時間= 1.5秒" + std::string(31, ' '));
    EXPECT_EQ(key(kKeyEsc), kResultRedrawTop);
    EXPECT_FALSE(runscr_is_open());
    EXPECT_EQ(fkey_time, 30);
}

TEST_F(RunscrKeys, PreviewMovesFromTheCurrentCueAndShiftReleaseEndsIt) {
    key(kKeyEnter);
    hold_shift();  // the press does not end anything
    key(kKeyF8, kModShift);
    EXPECT_EQ(fields().show_running, 0);
    EXPECT_EQ(fields().preview_cue, 5);
    key(kKeyRight, kModShift);
    EXPECT_EQ(fields().preview_cue, 7);
    key(kKeyLeft, kModShift);
    key(kKeyF7, kModShift);
    EXPECT_EQ(fields().preview_cue, 2);
    EXPECT_EQ(fields().current_cue, 2);  // the output is untouched
    key(kKeyRight);  // without Shift: nothing
    EXPECT_EQ(fields().preview_cue, 2);
    release_shift();
    EXPECT_EQ(fields().show_running, 1);
}

TEST_F(RunscrKeys, OpenCloseMonitorAndPointer) {
    EXPECT_EQ(runscr_open(backdrop_), 0);
    EXPECT_EQ(pointer_calls, (std::vector<bool>{true}));
    key(kKeyEsc, kModShift);
    EXPECT_EQ(monitor_toggled, 1);
    EXPECT_TRUE(runscr_is_open());
    EXPECT_EQ(runscr_mouse(10, 20, 1, 0), 0);
    EXPECT_EQ(key(kKeyEsc), kResultRedrawTop);
    EXPECT_EQ(screen_.top_window(), backdrop_);
    EXPECT_EQ(pointer_calls, (std::vector<bool>{true, false}));
    EXPECT_EQ(runscr_close(), 0);
    run_mouse = true;
    open();
    EXPECT_EQ(pointer_calls.size(), 2u);  // the mouse is allowed: no no-entry pointer
}

TEST_F(RunscrKeys, CallModeAndPageSurviveReopening) {
    key(kKeyDown);
    key(kKeyHome);
    key(kKeyEsc);
    open();
    EXPECT_EQ(fields().call_mode, 1);
    EXPECT_EQ(fields().scene_page, 1);
}

}  // namespace
}  // namespace prismel::test
