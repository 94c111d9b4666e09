// The scene editor's keys, through the same delivery as the main window.
#include <cstring>
#include <filesystem>
#include <functional>

#include "data/show_files.h"
#include "editscn_fixture.h"
#include "screens/table_write.h"

namespace prismel::test {
namespace {

class EditscnKeys : public EditscnTest {
protected:
    void SetUp() override {
        set_colour(2, "BLUE", 0, 200, 255);
        set_colour(3, "RED", 0, 255, 255);
        set_colour(4, "red", 9, 9, 9);  // a later, lower-case twin is never found first
        open();
    }

    // Picks colour i in the colour list that is open now.
    void pick_colour(int i) {
        for (int k = 0; k < i; ++k) key(kKeyDown);
        key(kKeyEnter);
    }
};

// --- which fixtures an action touches

class EditscnTouched : public EditscnKeys {};

TEST_F(EditscnTouched, WithoutMarksTheCursorFixtureElseOnlyTheMarks) {
    struct Action {
        const char* what;
        std::function<void()> run;
        std::function<bool(const SceneRecord&, int)> done;  // fixture f shows the action's effect
    };
    const Action actions[] = {
        {"F3 colour by name", [this] { input_.type("red"); key(kKeyF3); },
         [](const SceneRecord& r, int f) { return r.colour[f] == 3; }},
        {"F4 size", [this] { input_.type("50"); key(kKeyF4); },
         [](const SceneRecord& r, int f) { return r.size[f] == 127; }},
        {"F5 colour list", [this] { key(kKeyF5); pick_colour(2); },
         [](const SceneRecord& r, int f) { return r.colour[f] == 2; }},
        {"Shift+F7 one-touch size", [this] { key(kKeyF7, kModShift); },
         [](const SceneRecord& r, int f) { return r.size[f] == 178; }},
        {"Delete", [this] { key(kKeyDelete); },
         [](const SceneRecord& r, int f) { return r.colour[f] == kNone && r.size[f] == 0; }},
    };
    for (const Action& a : actions) {
        for (bool with_marks : {false, true}) {
            SCOPED_TRACE(std::string(a.what) + (with_marks ? " with marks" : " on the cursor"));
            // Every fixture starts coloured and lit, so Delete shows too.
            for (int f = 0; f < kFixtures; ++f) {
                scene(0).colour[f] = 4;
                scene(0).size[f] = 1;
            }
            if (marks_shown().find('x') != std::string::npos) key(kKeyF6);
            key(kKeyHome);
            key(kKeyRight);  // cursor on fixture 2 (index 1)
            key(kKeyRight);
            if (with_marks) {
                key(kKeySpace);  // marks 2 (index 2), cursor on to 3
                key(kKeyRight);
                key(kKeyRight);
                key(kKeySpace);  // marks index 5, cursor on to 6
            }
            a.run();
            std::string changed;
            for (int f = 0; f < kFixtures; ++f)
                if (a.done(scene(0), f)) changed += std::to_string(f) + " ";
            EXPECT_EQ(changed, with_marks ? "2 5 " : "2 ");
        }
    }
}

TEST_F(EditscnKeys, SizeFiftyPercentIsStored127AndShown50) {
    patch(0, 1, 0);
    patch(1, 4, 4);
    patch(2, 2, 8);
    patch(3, 3, 11);
    key(kKeyF6);  // mark all
    input_.type("RED");
    key(kKeyF3);
    input_.type("50");
    key(kKeyF4);
    EXPECT_EQ(+scene(0).size[0], 127);
    EXPECT_EQ(colour_of(0), "RED    50 ");
    EXPECT_EQ(colour_of(1), "RED    50 ");
    EXPECT_EQ(colour_of(2), "RED    -- ");  // no intensity channel
    EXPECT_EQ(colour_of(3), "RED    -- ");
    key(kKeyF10, kModShift);
    EXPECT_EQ(colour_of(0), "RED    FF ");
    key(kKeyF1, kModShift);
    EXPECT_EQ(+scene(0).size[0], 25);
    EXPECT_EQ(colour_of(0), "RED    10 ");
    input_.type("0");
    key(kKeyF4);
    EXPECT_EQ(colour_of(0), "RED    .. ");
    const LineInputRequest& r = input_.requests.at(1);
    EXPECT_EQ(to_utf8(r.prompt), "サイズ(0～100)=");
    EXPECT_EQ(r.column, kLeft + 2);
    EXPECT_EQ(r.row, kFooterRow);
    EXPECT_EQ(r.max_length, 4);
    EXPECT_EQ(r.ranges.int_min, 0);
    EXPECT_EQ(r.ranges.int_max, 100);
}

TEST_F(EditscnKeys, ColourNamesAreFoundCaseBlindAndUnknownOnesRefused) {
    struct Case {
        const char* typed;
        int colour;  // on fixture 0 afterwards
        const char* message;
    } cases[] = {
        {"red", 3, ""}, {"  Blue ", 2, ""}, {"PINK", 2, "色指定に誤りがあります"}, {"", 2, ""},
    };
    for (const Case& c : cases) {
        input_.type(c.typed);
        key(kKeyF3);
        EXPECT_EQ(+scene(0).colour[0], c.colour) << c.typed;
        EXPECT_EQ(message(), c.message) << c.typed;
    }
    const LineInputRequest& r = input_.requests.at(0);
    EXPECT_EQ(to_utf8(r.prompt), "ｶﾗｰ名=");
    EXPECT_EQ(r.column, kLeft + 2);
    EXPECT_EQ(r.row, kFooterRow);
    EXPECT_EQ(r.max_length, 7);
    EXPECT_EQ(r.mode, inp_mode::kText | inp_mode::kColourRef);
    key(kKeyDown);  // every key clears the message line
    EXPECT_EQ(message(), "");
}

TEST_F(EditscnKeys, ThePickedColourIsTakenOnce) {
    input_.f3();  // F3 in the colour-name input opens the colour list
    key(kKeyF3);
    ASSERT_NE(colour_list_control(), nullptr);
    pick_colour(3);
    EXPECT_EQ(screen_.top_window(), editscn_window());
    EXPECT_EQ(+scene(0).colour[0], 3);
    key(kKeyRight);
    key(0);  // as after Shift + wheel: nothing is waiting any more
    wheel(-1, kModShift);
    EXPECT_EQ(+scene(0).colour[1], kNone);
    key(kKeyF5);
    key(kKeyEsc);  // a cancelled list changes nothing
    EXPECT_EQ(+scene(0).colour[1], kNone);
    EXPECT_EQ(bar(), "ｼｰﾝNo.|ｼｰﾝ名 |  色|サイズ|色参照|全ﾏｰｸ| ｺﾋﾟｰ|+1ｺﾋﾟｰ| 出力|$$$");
}

TEST_F(EditscnKeys, SceneByNumberOrFromTheSceneList) {
    input_.type("12");
    key(kKeyF1);
    EXPECT_EQ(editscn_scene(), 11);
    EXPECT_EQ(title_of(0).substr(0, 4), "  1 ");
    tick();
    EXPECT_EQ(row(kHeaderRow, kLeft + 6, 3), " 12");
    const LineInputRequest& r = input_.requests.at(0);
    EXPECT_EQ(r.column, kLeft + 6);
    EXPECT_EQ(r.row, kTop + 1);
    EXPECT_EQ(r.max_length, 4);
    EXPECT_EQ(r.mode, inp_mode::kInteger | inp_mode::kSceneRef);
    EXPECT_EQ(r.ranges.int_min, 1);
    EXPECT_EQ(r.ranges.int_max, 200);

    input_.type("201");  // refused by the input
    key(kKeyF1);
    EXPECT_EQ(editscn_scene(), 11);

    input_.f3();
    key(kKeyF1);
    ASSERT_NE(scene_list_control(), nullptr);
    key('1');
    key('2');
    key('5');
    key(kKeyEnter);
    EXPECT_EQ(editscn_scene(), 124);
    tick();
    EXPECT_EQ(row(kHeaderRow, kLeft + 6, 3), "125");
}

TEST_F(EditscnKeys, NamesAreTypedOverTheName) {
    name_scene(0, "OLD");
    input_.type(sjs("表ソ能 OPENING"));
    key(kKeyF2);
    EXPECT_EQ(std::string(scene(0).name), sjs("表ソ能 OPENING"));
    tick();
    EXPECT_EQ(row(kHeaderRow, kLeft + 17, 20), "表ソ能 OPENING      ");
    const LineInputRequest& r = input_.requests.at(0);
    EXPECT_EQ(r.text, "OLD");
    EXPECT_EQ(r.column, kLeft + 17);
    EXPECT_EQ(r.row, kTop + 1);
    EXPECT_EQ(r.max_length, 20);
    EXPECT_EQ(r.mode, inp_mode::kText);
    input_.escape();
    key(kKeyF2);
    EXPECT_EQ(std::string(scene(0).name), sjs("表ソ能 OPENING"));
}

TEST_F(EditscnKeys, CopyTakesTheWholeRecord) {
    name_scene(6, "SOURCE");
    scene(6).colour[9] = 2;
    scene(6).size[9] = 33;
    scene(0).colour[1] = 3;
    input_.type("7");
    key(kKeyF7);
    EXPECT_EQ(std::string(scene(0).name), "SOURCE");
    EXPECT_EQ(+scene(0).colour[9], 2);
    EXPECT_EQ(+scene(0).size[9], 33);
    EXPECT_EQ(+scene(0).colour[1], kNone);
    EXPECT_EQ(to_utf8(input_.requests.at(0).prompt), "ｺﾋﾟｰ ｼｰﾝ番号=");
    input_.escape();
    scene(0).colour[1] = 3;
    key(kKeyF7);
    EXPECT_EQ(+scene(0).colour[1], 3);
}

TEST_F(EditscnKeys, PlusOneCopy) {
    struct Case {
        const char* what;
        int from;
        std::function<void()> prepare;  // the next scene's state
        int answer;                     // 0: no question expected
        bool copied;
    } cases[] = {
        {"last scene", 199, [] {}, 0, false},
        {"onto an empty scene", 10, [] { g_show.scenes[11].size[3] = 99; }, 0, true},
        {"onto a named scene, no", 20, [] { name_scene(21, "KEEP"); }, kResultCancel, false},
        {"onto a coloured scene, yes", 30, [] { g_show.scenes[31].colour[0] = 2; }, kResultOk, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        editscn_set_scene(c.from);
        name_scene(c.from, "THIS");
        scene(c.from).colour[5] = 3;
        c.prepare();
        box_.asked.clear();
        if (c.answer) box_.answer(c.answer);
        key(kKeyF8);
        EXPECT_EQ(box_.asked.size(), c.answer ? 1u : 0u);
        if (c.answer) {
            EXPECT_EQ(to_utf8(box_.asked.at(0).line1), "既存のシーンを上書きしますか?");
        }
        if (c.from + 1 >= kScenes) {
            EXPECT_EQ(editscn_scene(), c.from);
            continue;
        }
        const SceneRecord& next = scene(c.from + 1);
        EXPECT_EQ(next.colour[5] == 3 && std::string(next.name) == "THIS", c.copied);
        EXPECT_EQ(editscn_scene(), c.copied ? c.from + 1 : c.from);
    }
}

TEST_F(EditscnKeys, GroupsSurviveARestart) {
    key(kKeySpace);
    key(kKeyRight);
    key(kKeySpace);  // fixtures 1 and 3
    key(kKeyEnd);
    key(kKeySpace);  // and 64
    const std::string marks = marks_shown();
    key(kKeyF3, kModCtrl);
    const std::string file = show_file_name(show_folder(), ShowTable::kGroups);
    ASSERT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(std::filesystem::file_size(file), 640u);

    g_show.reset_groups();  // a new start: the table comes from the file
    ASSERT_EQ(read_table(g_show, ShowTable::kGroups, show_folder()), 1);
    key(kKeyF6);
    EXPECT_EQ(marks_shown(), std::string(kFixtures, '.'));
    key(kKeyF3, kModAlt);
    EXPECT_EQ(marks_shown(), marks);
    EXPECT_EQ(marks.substr(0, 4), "x.x.");
    key(kKeyF4, kModAlt);  // an empty group clears the marks
    EXPECT_EQ(marks_shown(), std::string(kFixtures, '.'));
}

TEST_F(EditscnKeys, SpaceMarksAndMovesOnAndAllMarksToggle) {
    key(kKeySpace);
    EXPECT_EQ(cursor_shown(), 1);
    key(kKeyLeft);
    key(kKeySpace);
    EXPECT_FALSE(marked(0));
    EXPECT_EQ(cursor_shown(), 1);
    key(kKeyEnd);
    key(kKeySpace);  // the last fixture: marked, the cursor stays
    EXPECT_TRUE(marked(63));
    EXPECT_EQ(cursor_shown(), 63);
    key(kKeyF6);
    EXPECT_EQ(marks_shown(), std::string(kFixtures, '.'));
    key(kKeyF6);
    EXPECT_EQ(marks_shown(), std::string(kFixtures, 'x'));
}

TEST_F(EditscnKeys, KeysThatDoNothing) {
    for (int f = 0; f < kFixtures; ++f) scene(0).colour[f] = 3;
    const SceneRecord before = scene(0);
    const int keys[][2] = {{kKeyF10, 0},        {kKeyF11, 0},        {kKeyF12, 0},       {kKeyF11, kModShift},
                           {kKeyF12, kModAlt},  {kKeyF11, kModCtrl}, {'A', 0},           {kKeyInsert, 0},
                           {kKeyShiftWheelUp, kModShift}};
    for (const auto& k : keys) EXPECT_EQ(key(k[0], k[1]), kResultHandled) << k[0];
    EXPECT_EQ(std::memcmp(&before, &scene(0), sizeof before), 0);
    EXPECT_TRUE(input_.requests.empty());
    EXPECT_EQ(screen_.top_window(), editscn_window());
}

TEST_F(EditscnKeys, WithoutASceneOnlyTheMarksAndTheSceneNumberWork) {
    editscn_set_scene(kNone);
    const SceneRecord before = scene(0);
    for (int k : {kKeyF2, kKeyF3, kKeyF4, kKeyF5, kKeyF7, kKeyF8, kKeyF9, kKeyDelete}) key(k);
    key(kKeyF5, kModShift);
    EXPECT_TRUE(input_.requests.empty());
    EXPECT_EQ(colour_list_control(), nullptr);
    EXPECT_EQ(g_engine.snapshot_depth(), 0);
    EXPECT_EQ(std::memcmp(&before, &scene(0), sizeof before), 0);
    tick();
    EXPECT_EQ(row(kHeaderRow, kLeft + 6, 3), "---");
    EXPECT_EQ(title_of(9), " 10       ");
    key(kKeySpace);  // marks are not the scene's
    input_.type("3");
    key(kKeyF1);
    EXPECT_EQ(editscn_scene(), 2);
    EXPECT_TRUE(marked(0));
}

TEST_F(EditscnKeys, EscWritesTheScenesAndGivesTheDragBack) {
    EXPECT_EQ(screen_.rubber_band.lock_count, 0);
    scene(0).colour[0] = 2;
    key(kKeySpace);
    key(kKeyRight);
    EXPECT_EQ(key(kKeyEsc), kResultRedrawTop);
    EXPECT_FALSE(editscn_is_open());
    EXPECT_EQ(screen_.top_window(), backdrop_);
    EXPECT_EQ(screen_.rubber_band.lock_count, 1);
    const std::string file = show_file_name(show_folder(), ShowTable::kScenes);
    ASSERT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(std::filesystem::file_size(file), 42600u);
    EXPECT_EQ(editscn_open(backdrop_), 1);
    EXPECT_EQ(editscn_open(backdrop_), 0);  // once
    EXPECT_TRUE(marked(0));                 // marks and scene are kept
    EXPECT_EQ(cursor_shown(), 0);           // the cursor starts afresh
}

TEST_F(EditscnKeys, ModifiersChangeCaptionAndBar) {
    const std::string normal = "ｼｰﾝNo.|ｼｰﾝ名 |  色|サイズ|色参照|全ﾏｰｸ| ｺﾋﾟｰ|+1ｺﾋﾟｰ| 出力|$$$";
    const std::string groups = "Grp  1|Grp  2|Grp  3|Grp  4|Grp  5|Grp  6|Grp  7|Grp  8|Grp  9|Grp 10";
    struct Case {
        int key, flags;
        const char* caption;
        std::string bar;
    } cases[] = {
        {kKeyShift, kModShift, " サイズのワンタッチ設定", " 10％| 20％| 30％| 40％| 50％| 60％| 70％| 80％| 90％|100％"},
        {kKeyAlt, kModAlt, " グループでマーク", groups},
        {kKeyCtrl, kModCtrl, " 現在のマークをグループに取込", groups},
    };
    EXPECT_EQ(bar(), normal);
    for (const Case& c : cases) {
        key(c.key, c.flags);
        tick();
        EXPECT_EQ(bar(), c.bar) << c.caption;
        EXPECT_EQ(row(kCaptionRow, 1, 72), c.caption + std::string(72 - to_cp932(c.caption).size(), ' '));
        EXPECT_EQ(cell(1, kCaptionRow).bg, colour(HeaderG));
        release_modifier(c.key);
        tick();
        EXPECT_EQ(bar(), normal);
        EXPECT_EQ(row(kCaptionRow, 1, 72), std::string(72, ' '));
    }
    // Shift + wheel sends key 0 with Shift still held: the bar stays.
    key(kKeyShift, kModShift);
    wheel(1, kModShift);
    EXPECT_EQ(bar(), cases[0].bar);
    release_modifier(kKeyShift);
    // A bar that is not the editor's own is put back by the draw handler.
    screen_.draw_fkey_bar("");
    tick();
    EXPECT_EQ(bar(), normal);
}

}  // namespace
}  // namespace prismel::test
