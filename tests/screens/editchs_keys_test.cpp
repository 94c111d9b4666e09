// The chase editor's keys and its window, through the same delivery as the
// main window.
#include <cstring>
#include <filesystem>
#include <fstream>

#include "editchs_fixture.h"

namespace prismel::test {
namespace {

class EditchsKeys : public EditchsTest {
protected:
    void SetUp() override {
        name_scene(0, "ZERO");
        name_scene(4, sj("表ソ能"));
        set_chase(0, {4, 0, 1});
        name_chase(0, "RUN");
        set_chase(2, {7, 8});
        name_chase(2, "OTHER");
        open();
    }
};

TEST_F(EditchsKeys, WindowShowsTheChaseItsStepsAndTheFreeSlot) {
    EXPECT_EQ(editchs_open(backdrop_), 0);
    EXPECT_NE(row(kTop, kLeft).find("チェイスの編集"), std::string::npos);
    EXPECT_EQ(bar(), "ﾁｪｲｽNo|ﾁｪｲｽ名|ｼｰﾝ参|$ｼｰﾝ編| ｺﾋﾟｰ| ｸﾘｱ|ﾃｽﾄﾚｲﾄ| 出力|$$$");
    EXPECT_EQ(row(kChaseRow, kLeft + 2, 35), "No.   1   名前 RUN                 ");
    EXPECT_EQ(cell(kLeft + 2, kChaseRow).bg, colour(WinHiBg));
    EXPECT_EQ(row(kRateRow, kLeft + 8, 32), "ﾃｽﾄﾚｲﾄ  1.0    出力 OFF         ");
    EXPECT_EQ(row(kLabelRow, kLeft + 1, 41), " ｽﾃｯﾌﾟ  ｼｰﾝNo.  ｼｰﾝ名                    ");
    EXPECT_EQ(row(step_row(0), kLeft + 1, 36), "    1       5   表ソ能              ");
    EXPECT_EQ(row(step_row(2), kLeft + 1, 36), "    3       2                       ");
    EXPECT_EQ(name(1), "ZERO                ");
    EXPECT_EQ(number(3), "   4");
    EXPECT_EQ(scene(3), "___");  // the free slot
    EXPECT_EQ(scene(47), "___");
    EXPECT_EQ(number(47), "  48");
    EXPECT_EQ(row(step_row(48), kLeft + 1, 41), std::string(41, ' '));  // no 49th slot
    EXPECT_EQ(cursor_slot(), 0);
    EXPECT_EQ(cell(kLeft + 1, step_row(0)).bg, colour(WinBg));
    EXPECT_EQ(cell(kLeft + 2, step_row(1)).fg, colour(WinHiFg));
}

TEST_F(EditchsKeys, TheCursorReachesTheFreeSlotAndAppendsThere) {
    key(kKeyEnd);
    EXPECT_EQ(cursor_slot(), 3);
    key(kKeyDown);
    EXPECT_EQ(cursor_slot(), 3);
    input_.enter();  // the digit typed stays the scene number
    key('7');
    ASSERT_EQ(input_.requests.size(), 1u);
    const LineInputRequest& r = input_.requests[0];
    EXPECT_EQ(r.text, "7");
    EXPECT_EQ(r.column, kLeft + 11);
    EXPECT_EQ(r.row, step_row(3));
    EXPECT_EQ(r.max_length, 3);
    EXPECT_EQ(r.mode, inp_mode::kInteger | inp_mode::kSceneRef);
    EXPECT_EQ(r.ranges.int_min, 1);
    EXPECT_EQ(r.ranges.int_max, 200);
    EXPECT_EQ(steps(0, 5), (std::vector<int>{4, 4, 0, 1, 6, -1}));
    EXPECT_EQ(cursor_slot(), 4);  // on the new free slot
    EXPECT_EQ(scene(3), "  7");
}

TEST_F(EditchsKeys, FortyEightStepsStopTheCursorAndRefuseMore) {
    for (int k = 3; k < 47; ++k) {
        input_.type("9");
        key(kKeyEnd);
        key('1');
    }
    ASSERT_EQ(g_show.chases[0].step_count, 47);
    key(kKeyEnd);
    EXPECT_EQ(cursor_slot(), 47);
    input_.type("12");
    key('1');
    EXPECT_EQ(g_show.chases[0].step_count, 48);
    EXPECT_EQ(g_show.chases[0].steps[47], 11);
    EXPECT_EQ(cursor_slot(), 47);  // the 48th step: there is no free slot now
    key(kKeyDown);
    EXPECT_EQ(cursor_slot(), 47);
    EXPECT_EQ(scene(47), " 12");

    const size_t asked = input_.requests.size();
    key('5');
    EXPECT_EQ(message(), "これ以上ステップを増やせません");
    key(kKeyF3);
    EXPECT_EQ(message(), "これ以上ステップを増やせません");
    EXPECT_EQ(input_.requests.size(), asked);  // no input opened
    EXPECT_EQ(screen_.top_window(), editchs_window());  // no list opened
    EXPECT_EQ(g_show.chases[0].step_count, 48);
    key(kKeyHome);
    EXPECT_EQ(message(), "");  // every key clears the message line
}

TEST_F(EditchsKeys, InsertAtTheFirstSlotShiftsEveryStep) {
    input_.type("10");
    key('1');
    EXPECT_EQ(steps(0, 5), (std::vector<int>{4, 9, 4, 0, 1, -1}));
    EXPECT_EQ(cursor_slot(), 1);  // after the new step
    EXPECT_EQ(scene(0), " 10");
    EXPECT_EQ(scene(1), "  5");

    input_.escape();
    key('3');
    input_.type("201");  // refused inside the input
    key('3');
    EXPECT_EQ(message(), "範囲を超えています");
    EXPECT_EQ(g_show.chases[0].step_count, 4);
    EXPECT_EQ(cursor_slot(), 1);
}

TEST_F(EditchsKeys, DeleteRemovesAStepAndDoesNothingOnTheFreeSlot) {
    key(kKeyDown);
    key(kKeyDelete);
    EXPECT_EQ(steps(0, 4), (std::vector<int>{2, 4, 1, -1, -1}));
    EXPECT_EQ(cursor_slot(), 1);  // stays
    key(kKeyDown);
    EXPECT_EQ(cursor_slot(), 2);  // the free slot
    key(kKeyDelete);
    EXPECT_EQ(steps(0, 4), (std::vector<int>{2, 4, 1, -1, -1}));
    key(kKeyUp);
    key(kKeyDelete);
    EXPECT_EQ(cursor_slot(), 1);  // the free slot now
    key(kKeyDown);
    EXPECT_EQ(cursor_slot(), 1);
    EXPECT_EQ(scene(1), "___");
}

TEST_F(EditchsKeys, AScenePickedInTheListIsInsertedOnce) {
    key(kKeyDown);
    key(kKeyF3);
    ASSERT_NE(scene_list_control(), nullptr);
    key(kKeyDown);
    key(kKeyDown);
    key(kKeyEnter);  // scene 3; the editor is on top again and takes it
    EXPECT_EQ(screen_.top_window(), editchs_window());
    EXPECT_EQ(steps(0, 5), (std::vector<int>{4, 4, 2, 0, 1, -1}));
    EXPECT_EQ(cursor_slot(), 2);
    EXPECT_EQ(bar(), "ﾁｪｲｽNo|ﾁｪｲｽ名|ｼｰﾝ参|$ｼｰﾝ編| ｺﾋﾟｰ| ｸﾘｱ|ﾃｽﾄﾚｲﾄ| 出力|$$$");

    wheel(-120, kModShift);  // 192 and then key 0: takes nothing
    key(kKeyRefresh);
    EXPECT_EQ(g_show.chases[0].step_count, 4);

    key(kKeyF3);
    key(kKeyEsc);  // cancelled
    EXPECT_EQ(g_show.chases[0].step_count, 4);

    input_.f3();  // F3 inside the digit's input
    key('2');
    ASSERT_NE(scene_list_control(), nullptr);
    key(kKeyEnter);  // scene 1
    EXPECT_EQ(steps(0, 6), (std::vector<int>{5, 4, 2, 0, 0, 1, -1}));
    EXPECT_EQ(cursor_slot(), 3);
}

TEST_F(EditchsKeys, ChaseNumberTypedOrPickedPutsTheCursorOnTheFirstSlot) {
    key(kKeyEnd);
    input_.type("3");
    key(kKeyF1);
    const LineInputRequest& r = input_.requests.back();
    EXPECT_EQ(r.column, kLeft + 6);
    EXPECT_EQ(r.row, kTop + 1);
    EXPECT_EQ(r.max_length, 4);
    EXPECT_EQ(r.mode, inp_mode::kInteger | inp_mode::kChaseRef);
    EXPECT_EQ(r.ranges.int_max, 50);
    EXPECT_EQ(editchs_chase(), 2);
    EXPECT_EQ(row(kChaseRow, kLeft + 6, 31), "  3   名前 OTHER               ");
    EXPECT_EQ(cursor_slot(), 0);
    EXPECT_EQ(scene(1), "  9");
    EXPECT_EQ(scene(2), "___");

    key(kKeyDown);
    input_.f3();
    key(kKeyF1);
    ASSERT_NE(chase_list_control(), nullptr);
    key(kKeyDown);
    key(kKeyEnter);  // chase 2
    EXPECT_EQ(editchs_chase(), 1);
    EXPECT_EQ(cursor_slot(), 0);
    key(kKeyRefresh);
    EXPECT_EQ(editchs_chase(), 1);
}

TEST_F(EditchsKeys, WithoutAChaseOnlyTheChaseNumberActs) {
    editchs_close();
    editchs_set_chase(kNone);
    open();
    EXPECT_EQ(row(kChaseRow, kLeft + 6, 3), "---");
    EXPECT_EQ(row(step_row(0), kLeft + 1, 41), std::string(41, ' '));
    EXPECT_EQ(cursor_slot(), -1);
    const int keys[] = {'1', kKeyDelete, kKeyF2, kKeyF3, kKeyF5, kKeyF6, kKeyF7, kKeyF8, kKeyF9, kKeyDown};
    for (int k : keys) key(k);
    EXPECT_TRUE(input_.requests.empty());
    EXPECT_TRUE(box_.asked.empty());
    EXPECT_EQ(screen_.top_window(), editchs_window());
    EXPECT_EQ(g_engine.snapshot_depth(), 0);
    input_.type("2");
    key(kKeyF1);
    EXPECT_EQ(editchs_chase(), 1);
    EXPECT_EQ(cursor_slot(), 0);
    editchs_set_chase(900);  // a damaged cue's chase: none
    EXPECT_EQ(editchs_chase(), kNone);
}

TEST_F(EditchsKeys, NameIsPresetAndTakesWholeCharacters) {
    input_.type(sj("表ソ能チェイス"));
    key(kKeyF2);
    const LineInputRequest& r = input_.requests.back();
    EXPECT_EQ(r.text, "RUN");
    EXPECT_EQ(r.column, kLeft + 17);
    EXPECT_EQ(r.row, kTop + 1);
    EXPECT_EQ(r.max_length, 20);
    EXPECT_EQ(r.mode, inp_mode::kText);
    EXPECT_EQ(to_utf8(g_show.chases[0].name), "表ソ能チェイス");
    EXPECT_EQ(row(kChaseRow, kLeft + 17, 20), "表ソ能チェイス      ");
    input_.escape();
    key(kKeyF2);
    EXPECT_EQ(to_utf8(g_show.chases[0].name), "表ソ能チェイス");
}

TEST_F(EditchsKeys, CopyTakesTheWholeRecordOfAnotherChase) {
    key(kKeyDown);
    input_.type("3");
    key(kKeyF6);
    const LineInputRequest& r = input_.requests.back();
    EXPECT_EQ(to_utf8(r.prompt), "ｺﾋﾟｰ ﾁｪｲｽ番号=");
    EXPECT_EQ(r.column, kLeft + 2);
    EXPECT_EQ(r.row, kBottom - 1);
    EXPECT_EQ(r.max_length, 3);
    EXPECT_EQ(r.ranges.int_max, 50);
    EXPECT_EQ(std::memcmp(&g_show.chases[0], &g_show.chases[2], sizeof(ChaseRecord)), 0);
    EXPECT_EQ(cursor_slot(), 0);
    EXPECT_EQ(row(kChaseRow, kLeft + 17, 5), "OTHER");
}

TEST_F(EditchsKeys, ClearAsksAndEmptiesTheChaseOnlyOnYes) {
    key(kKeyDown);
    box_.press({kKeyEnter});  // NO is selected first
    key(kKeyF7);
    ASSERT_EQ(box_.asked.size(), 1u);
    EXPECT_EQ(to_utf8(box_.asked[0].line1.c_str()), "全ステップをクリアしますか?");
    EXPECT_EQ(box_.asked[0].kind, kMsgYesNo);
    EXPECT_EQ(g_show.chases[0].step_count, 3);
    EXPECT_EQ(cursor_slot(), 1);
    box_.press({kKeyLeft, kKeyEnter});
    key(kKeyF7);
    EXPECT_EQ(steps(0, 3), (std::vector<int>{0, -1, -1, -1}));
    EXPECT_STREQ(g_show.chases[0].name, "RUN");
    EXPECT_EQ(cursor_slot(), 0);
    EXPECT_EQ(scene(0), "___");
}

TEST_F(EditchsKeys, SceneEditorOpensOnAStepWithItsScene) {
    key(kKeyF5);
    ASSERT_EQ(scene_editor.size(), 1u);
    EXPECT_EQ(scene_editor[0].scene, 4);
    EXPECT_EQ(scene_editor[0].parent, editchs_window());
    key(kKeyEnd);
    key(kKeyF5);  // the free slot
    EXPECT_EQ(scene_editor.size(), 1u);
    g_show.chases[0].steps[1] = 900;
    key(kKeyUp);
    key(kKeyUp);
    key(kKeyF5);
    ASSERT_EQ(scene_editor.size(), 2u);
    EXPECT_EQ(scene_editor[1].scene, kNone);
}

TEST_F(EditchsKeys, OnAShortScreenTheListScrollsToTheLastSlot) {
    editchs_close();
    screen_.set_visible(92, 29);  // window rows 1-24: 17 step rows
    ChaseRecord& c = g_show.chases[0];
    c.step_count = kChaseSteps;
    for (int k = 0; k < kChaseSteps; ++k) c.steps[k] = static_cast<int16_t>(k);
    open();
    EXPECT_EQ(number(16), "  17");
    EXPECT_EQ(row(step_row(17), kLeft + 1, 41), std::string(41, ' '));  // the footer separator's row is not a step
    key(kKeyEnd);
    EXPECT_EQ(number(0), "  47");
    EXPECT_EQ(number(1), "  48");
    EXPECT_EQ(scene(1), " 48");
    EXPECT_EQ(row(step_row(2), kLeft + 1, 41), std::string(41, ' '));
    EXPECT_EQ(cursor_slot(), 1);
    key(kKeyDelete);
    input_.type("5");
    key('5');
    EXPECT_EQ(input_.requests.back().row, step_row(1));
    EXPECT_EQ(g_show.chases[0].steps[47], 4);
    click(kLeft + 3, step_row(0));
    EXPECT_EQ(cursor_slot(), 0);
    key(kKeyDelete);
    EXPECT_EQ(g_show.chases[0].steps[46], 4);  // step 47 went
}

TEST_F(EditchsKeys, AClickMovesTheCursorToAStepRow) {
    click(kLeft + 10, step_row(2));
    EXPECT_EQ(cursor_slot(), 2);
    click(kLeft + 10, step_row(3));  // the free slot
    EXPECT_EQ(cursor_slot(), 3);
    click(kLeft + 10, step_row(4));  // beyond the items
    EXPECT_EQ(cursor_slot(), 3);
    click(kLeft + 10, kLabelRow);
    click(kLeft, step_row(1));  // the frame
    click(kLeft + 10, kBottom - 1);
    EXPECT_EQ(cursor_slot(), 3);
}

TEST_F(EditchsKeys, ModifiedKeysAndTheEmptyCapsDoNothing) {
    const int keys[] = {kKeyF4, kKeyF10, kKeyF11, kKeyF12};
    for (int k : keys) key(k);
    key(kKeyF7, kModCtrl);
    key(kKeyDelete, kModShift);
    key('1', kModAlt);
    EXPECT_TRUE(box_.asked.empty());
    EXPECT_TRUE(input_.requests.empty());
    EXPECT_EQ(g_show.chases[0].step_count, 3);
}

TEST_F(EditchsKeys, EscWritesTheChaseTableAndRedrawsTheParent) {
    g_show.chases[5].step_count = 1;
    g_show.chases[5].steps[0] = 33;
    EXPECT_EQ(key(kKeyEsc), kResultRedrawTop);
    EXPECT_FALSE(editchs_is_open());
    EXPECT_EQ(screen_.top_window(), backdrop_);
    const std::string file = folder_.file("PRSMDATA.CHS");
    ASSERT_EQ(std::filesystem::file_size(file), 5900u);
    std::ifstream in(file, std::ios::binary);
    ChaseRecord read[kChases];
    in.read(reinterpret_cast<char*>(read), sizeof read);
    EXPECT_EQ(std::memcmp(&read[5], &g_show.chases[5], sizeof(ChaseRecord)), 0);
    EXPECT_EQ(std::memcmp(&read[0], &g_show.chases[0], sizeof(ChaseRecord)), 0);
    EXPECT_EQ(editchs_close(), 0);

    open();  // the chase and the test rate are kept
    EXPECT_EQ(editchs_chase(), 0);
    EXPECT_EQ(cursor_slot(), 0);
}

}  // namespace
}  // namespace prismel::test
