// The function-key editor's keys and clicks, through the same delivery as
// the main window, read back from the records, the inputs it opened and the
// grid.
#include <cstring>
#include <memory>

#include "data/show_files.h"
#include "editfky_fixture.h"
#include "screens/table_write.h"

namespace prismel::test {
namespace {

class EditfkyKeys : public EditfkyTest {
protected:
    void SetUp() override {
        set_chase(4, {1, 2});
        name_chase(4, "RAIN");
        name_scene(2, "BLUE");
        open();
    }
};

TEST_F(EditfkyKeys, TypeKeysSetTheRowAndPlaceTheCursor) {
    set_fkey(0, kFkeyChase, 4, 70, 9, "CHS  5");
    key(kKeyF1);
    EXPECT_EQ(fkey(0).type, kFkeyCue);
    EXPECT_EQ(fkey(0).target, kNone);
    EXPECT_EQ(label(0), "");
    tick();
    EXPECT_TRUE(cursor_on(0, 16));
    EXPECT_EQ(key_text(0, 9, 13), "ｷｭｰ    ____._");

    key(kKeyF3);
    EXPECT_EQ(fkey(0).type, kFkeyChase);
    EXPECT_EQ(fkey(0).xtime, 20);
    EXPECT_EQ(fkey(0).rate, 20);

    key(kKeyF5);
    tick();
    EXPECT_EQ(fkey(0).type, kFkeyStandby);
    EXPECT_EQ(label(0), "ｽﾀﾝﾊﾞｲ");
    EXPECT_TRUE(cursor_on(0, 9));
    EXPECT_EQ(key_text(0, 9, 8), "ｽﾀﾝﾊﾞｲ  ");

    key(kKeyF2);
    EXPECT_EQ(fkey(0).type, kFkeyScene);
    EXPECT_EQ(label(0), "");
    g_show.fkeys[0].xtime = 50;
    key(kKeyDelete);
    EXPECT_EQ(fkey(0).type, kFkeyNone);
    EXPECT_EQ(fkey(0).xtime, 20);
    tick();
    EXPECT_TRUE(cursor_on(0, 9));  // the cursor stays on a cell the row shows
    EXPECT_EQ(key_text(0, 2, 13), " F 1   ______");
}

TEST_F(EditfkyKeys, F2OnAChaseClearsItsTargetAndLabel) {
    set_fkey(3, kFkeyChase, 4, 50, 30, "CHS  5");
    to_key(3);
    key(kKeyF2);
    EXPECT_EQ(fkey(3).type, kFkeyScene);
    EXPECT_EQ(fkey(3).target, kNone);
    EXPECT_EQ(label(3), "");
    tick();
    EXPECT_EQ(key_text(3, 9, 13), "ｼｰﾝ     ___  ");
    EXPECT_EQ(key_text(3, 22, 38), std::string(38, ' '));  // the chase's name and times are gone
}

TEST_F(EditfkyKeys, SceneTypedOrRefused) {
    to_key(1);
    key(kKeyF2);
    input_.enter();  // "7" as the digit left it
    key('7');
    EXPECT_EQ(fkey(1).target, 6);
    EXPECT_EQ(label(1), "SCN  7");
    const LineInputRequest& r = input_.requests.at(0);
    EXPECT_EQ(r.column, kLeft + 17);
    EXPECT_EQ(r.row, key_row(1));
    EXPECT_EQ(r.max_length, 3);
    EXPECT_EQ(r.text, "7");
    EXPECT_EQ(r.mode, inp_mode::kInteger | inp_mode::kSceneRef);

    for (const char* typed : {"0", "201"}) {
        input_.type(typed);
        key(kKeyEnter);
        EXPECT_EQ(message(), "不正なシーン番号です");
        EXPECT_EQ(fkey(1).target, 6);
        EXPECT_EQ(label(1), "SCN  7");
    }
    EXPECT_EQ(input_.requests.at(1).text, "");  // Enter opens the line empty
    input_.type("200");
    key(kKeyEnter);
    EXPECT_EQ(message(), "");
    EXPECT_EQ(label(1), "SCN200");
}

TEST_F(EditfkyKeys, ChaseWithoutStepsIsRefusedTypedButTakenFromTheList) {
    to_key(2);
    key(kKeyF3);
    type_digit('9');
    EXPECT_EQ(message(), "サイズが０です");
    EXPECT_EQ(fkey(2).target, kNone);
    type_digit('5', "1");
    EXPECT_EQ(message(), "不正なチェイス番号です");
    EXPECT_EQ(fkey(2).target, kNone);
    type_digit('5');
    EXPECT_EQ(fkey(2).target, 4);
    EXPECT_EQ(label(2), "CHS  5");
    EXPECT_EQ(input_.requests.at(0).column, kLeft + 18);
    EXPECT_EQ(input_.requests.at(0).mode, inp_mode::kInteger | inp_mode::kChaseRef);

    input_.f3();
    key(kKeyEnter);
    ASSERT_NE(chase_list_control(), nullptr);
    key('9');
    key(kKeyEnter);  // the list closes; the editor takes chase 9 on key 0
    EXPECT_EQ(chase_list_control(), nullptr);
    EXPECT_EQ(fkey(2).target, 8);
    EXPECT_EQ(label(2), "CHS  9");
    EXPECT_EQ(g_show.chases[8].step_count, 0);
}

TEST_F(EditfkyKeys, ListResultIsTakenOnceAndACancelledListChangesNothing) {
    to_key(0);
    key(kKeyF2);
    input_.f3();
    key('3');
    ASSERT_NE(scene_list_control(), nullptr);
    key('1');
    key('2');
    key(kKeyEnter);
    EXPECT_EQ(fkey(0).target, 11);
    EXPECT_EQ(label(0), "SCN 12");
    tick();  // the list left the bar empty: the editor puts its own back
    EXPECT_EQ(bar(), " ｷｭｰ| ｼｰﾝ| ﾁｪｲｽ|$ｽﾀﾝﾊﾞｲ|$$$$$$$");

    key(kKeyF2);                // the target is cleared again
    wheel(1, kModShift);        // 191, then key 0: nothing waits any more
    key(kKeyRefresh);
    EXPECT_EQ(fkey(0).target, kNone);

    input_.f3();
    key(kKeyEnter);
    key(kKeyEsc);  // the list is cancelled
    EXPECT_EQ(scene_list_control(), nullptr);
    EXPECT_TRUE(editfky_is_open());
    EXPECT_EQ(fkey(0).target, kNone);
    EXPECT_EQ(label(0), "");
}

TEST_F(EditfkyKeys, SceneCrossTimeTypedAndNudgedWithin0To1998) {
    set_fkey(0, kFkeyScene, 2, 1994);
    to_key(0);
    key(kKeyRight);
    key(kKeyRight);
    tick();
    ASSERT_TRUE(cursor_on(0, 50));
    for (int i = 0; i < 4; ++i) wheel(1, kModShift);
    EXPECT_EQ(fkey(0).xtime, 1998);
    tick();
    EXPECT_EQ(key_text(0, 50, 4), "99.9");

    type_digit('1', ".5");
    EXPECT_EQ(fkey(0).xtime, 30);
    EXPECT_EQ(input_.requests.at(0).column, kLeft + 50);
    EXPECT_EQ(input_.requests.at(0).max_length, 4);
    EXPECT_EQ(input_.requests.at(0).mode, inp_mode::kReal);
    EXPECT_EQ(input_.requests.at(0).ranges.real_max, 99.9);

    g_show.fkeys[0].xtime = 3;
    for (int i = 0; i < 3; ++i) wheel(-1, kModShift);
    EXPECT_EQ(fkey(0).xtime, 1);  // 3, 1, then a step below 0 is not taken
    EXPECT_EQ(fkey(0).rate, 20);
}

TEST_F(EditfkyKeys, ChaseRateAndCrossTime) {
    set_fkey(5, kFkeyChase, 4, 40, 10);
    to_key(5);
    key(kKeyRight);
    key(kKeyRight);
    wheel(1, kModShift);
    EXPECT_EQ(fkey(5).rate, 12);
    type_digit('2');
    EXPECT_EQ(fkey(5).rate, 40);
    EXPECT_EQ(input_.requests.at(0).column, kLeft + 45);
    key(kKeyRight);
    wheel(-1, kModShift);
    EXPECT_EQ(fkey(5).xtime, 38);
    type_digit('0', ".3");
    EXPECT_EQ(fkey(5).xtime, 6);
    EXPECT_EQ(input_.requests.at(1).column, kLeft + 50);
    tick();
    EXPECT_EQ(key_text(5, 16, 40), "   5  " " RAIN" + std::string(16, ' ') + "  " " 2.0" " " " 0.3" "  ");
}

TEST_F(EditfkyKeys, TimesNeedAChosenTarget) {
    set_fkey(0, kFkeyChase, kNone, 40, 10);
    click(kLeft + 50, key_row(0));  // a click may stand on a chase's times
    type_digit('5');
    wheel(1, kModShift);
    EXPECT_EQ(fkey(0).xtime, 42);  // the nudge applies; the typed time needs a target
    EXPECT_TRUE(input_.requests.empty());
}

TEST_F(EditfkyKeys, CueByNumberWithLabelsForWholeAndPointCues) {
    ASSERT_EQ(g_show.cues.insert(3, 35), 1);
    to_key(4);
    key(kKeyF1);
    type_digit('3', ".5");
    EXPECT_EQ(fkey(4).target, 3);
    EXPECT_EQ(label(4), "   3.5");
    const LineInputRequest& r = input_.requests.at(0);
    EXPECT_EQ(r.column, kLeft + 16);
    EXPECT_EQ(r.row, key_row(4));
    EXPECT_EQ(r.max_length, 5);
    EXPECT_EQ(r.mode, inp_mode::kReal);
    type_digit('4');
    EXPECT_EQ(fkey(4).target, 4);
    EXPECT_EQ(label(4), "   4.");
    tick();
    EXPECT_EQ(key_text(4, 16, 6), "   4. ");

    type_digit('4', ".7");  // no cue carries it: nothing changes, and it is said
    EXPECT_EQ(fkey(4).target, 4);
    EXPECT_EQ(message(), "該当するｷｭｰNo.はありません");
    input_.type("5");
    key(kKeyEnter);  // Enter opens the cue's input empty
    EXPECT_EQ(input_.requests.size(), 4u);
    EXPECT_EQ(input_.requests.back().text, "");
    EXPECT_EQ(label(4), "   5.");
}

TEST_F(EditfkyKeys, CuePresetKeepsItsPositionWhenCuesAreInsertedBeforeIt) {
    to_key(0);
    key(kKeyF1);
    type_digit('4');
    ASSERT_EQ(fkey(0).target, 3);
    ASSERT_EQ(g_show.cues.insert(1, 15), 1);
    tick();
    EXPECT_EQ(key_text(0, 16, 6), "   3. ");  // the cue now at that position
    EXPECT_EQ(label(0), "   4.");            // the label keeps its text
}

TEST_F(EditfkyKeys, ColumnLimitsAfterKeysAndClampsAfterClicks) {
    set_fkey(0, kFkeyCue, 1);
    set_fkey(1, kFkeyChase, 4);
    set_fkey(2, kFkeyScene, kNone);
    set_fkey(3, kFkeyStandby, kNone);
    key(kKeyHome);
    key(kKeyRight);
    tick();
    EXPECT_TRUE(cursor_on(0, 16));
    key(kKeyRight);  // past a cue's target: back to the type
    tick();
    EXPECT_TRUE(cursor_on(0, 9));
    key(kKeyDown);
    key(kKeyRight);
    key(kKeyRight);
    key(kKeyRight);
    tick();
    EXPECT_TRUE(cursor_on(1, 50));
    key(kKeyUp);  // column 3 on a cue row: the type
    tick();
    EXPECT_TRUE(cursor_on(0, 9));

    struct Click {
        int k, column, expected;  // window columns
    } clicks[] = {
        {0, 50, 16}, {0, 20, 16}, {1, 46, 45}, {1, 52, 50}, {1, 10, 9},
        {2, 50, 16},  // a scene without target: at most its target
        {3, 20, 9},   // standby: the type
        {5, 30, 9},   // none
    };
    for (const Click& c : clicks) {
        SCOPED_TRACE(::testing::Message() << "key " << c.k << " column " << c.column);
        EXPECT_EQ(click(kLeft + c.column, key_row(c.k)), 0);
        tick();
        EXPECT_TRUE(cursor_on(c.k, c.expected));
    }
    click(kLeft + 20, key_row(10));  // below the last key: nothing
    tick();
    EXPECT_TRUE(cursor_on(5, 9));
}

TEST_F(EditfkyKeys, EscWritesTheTableAndCloses) {
    set_fkey(6, kFkeyScene, 2, 30, 20, "SCN  3");
    EXPECT_EQ(key(kKeyEsc), kResultRedrawTop);
    EXPECT_FALSE(editfky_is_open());
    auto read = std::make_unique<ShowData>();
    ASSERT_EQ(read_table(*read, ShowTable::kFkeys, show_folder()), 1);
    EXPECT_EQ(std::memcmp(read->fkeys, g_show.fkeys, sizeof g_show.fkeys), 0);
    EXPECT_EQ(editfky_open(backdrop_), 1);
    EXPECT_EQ(editfky_open(backdrop_), 0);
}

}  // namespace
}  // namespace prismel::test
