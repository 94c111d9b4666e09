// The user colour editor's keys and clicks, through the same delivery as the
// main window.
#include <functional>

#include "chwin/chw_hold_repeat.h"
#include "editcol_fixture.h"

namespace prismel::test {
namespace {

class EditcolKeys : public EditcolTest {
protected:
    void SetUp() override { open(); }
};

TEST_F(EditcolKeys, OpensOnceAboveItsParentWithTheHoldRepeat) {
    EXPECT_EQ(editcol_open(backdrop_), 0);
    ChwWindow* w = editcol_window();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(screen_.top_window(), w);
    EXPECT_TRUE(w->repeat_held_caps);
    EXPECT_EQ(w->style, kStyleFramed);
    EXPECT_EQ(w->left, 6);
    EXPECT_EQ(w->top, 1);
    EXPECT_EQ(w->right, 42);
    EXPECT_EQ(w->bottom, 59);
    EXPECT_EQ(to_utf8(w->title), " ユーザ色の編集");
}

TEST_F(EditcolKeys, LevelsStepByOneAndStopAtTheEnds) {
    user(0).y = 254;
    user(0).m = 1;
    user(0).c = 0;
    go(0, kEditcolY);
    key(kKeyF6);
    EXPECT_EQ(user(0).y, 255);
    key(kKeyF6);
    wheel(1, kModShift);
    EXPECT_EQ(user(0).y, 255);
    key(kKeyRight);
    key(kKeyF5);
    EXPECT_EQ(user(0).m, 0);
    wheel(-1, kModShift);
    key(kKeyF5);
    EXPECT_EQ(user(0).m, 0);
    key(kKeyRight);
    wheel(1, kModShift);
    key(kKeyShiftWheelUp, kModShift);
    EXPECT_EQ(user(0).c, 2);
    key(kKeyShiftWheelDown, kModShift);
    EXPECT_EQ(user(0).c, 1);
    EXPECT_EQ(message(), "");  // no message at either end
    EXPECT_EQ(host_.beeps, 0);
}

TEST_F(EditcolKeys, StepKeysLeaveTheNumberAndNameAlone) {
    user(3).y = user(3).m = user(3).c = 7;
    for (int column : {kEditcolNumber, kEditcolName}) {
        go(3, column);
        key(kKeyF5);
        key(kKeyF6);
        wheel(1, kModShift);
        key(kKeyDelete);
    }
    EXPECT_EQ(user(3).y, 7);
    EXPECT_EQ(user(3).m, 7);
    EXPECT_EQ(user(3).c, 7);
}

TEST_F(EditcolKeys, PlainWheelMovesTheCursor) {
    go(0, kEditcolM);
    wheel(-1);
    wheel(-1);
    key(kKeyF6);
    EXPECT_EQ(user(2).m, 1);
    wheel(1);
    key(kKeyF6);
    EXPECT_EQ(user(1).m, 1);
}

TEST_F(EditcolKeys, F9StartsMovesAndEndsThePreview) {
    go(4, kEditcolName);
    key(kKeyF9);
    EXPECT_EQ(fields().colour_preview, 404);
    key(kKeyDown);
    key(kKeyF9);  // another colour: the preview moves
    EXPECT_EQ(fields().colour_preview, 405);
    key(kKeyF9);  // the same colour again: the preview ends
    EXPECT_EQ(fields().colour_preview, kNone);
    key(kKeyF9);
    EXPECT_EQ(fields().colour_preview, 405);
    EXPECT_EQ(g_engine.hold_count(), 0);
}

TEST_F(EditcolKeys, TypedNumberMovesTheCursorToThatColour) {
    input_.type("450");
    go(0, kEditcolNumber);
    key('4');
    ASSERT_EQ(input_.requests.size(), 1u);
    const LineInputRequest& r = input_.requests[0];
    EXPECT_EQ(r.text, "4");
    EXPECT_EQ(r.column, 8);
    EXPECT_EQ(r.row, kFirstRow);
    EXPECT_EQ(r.max_length, 3);
    EXPECT_EQ(r.mode, inp_mode::kInteger);
    EXPECT_EQ(r.ranges.int_min, 401);
    EXPECT_EQ(r.ranges.int_max, 500);
    key(kKeyF9);
    EXPECT_EQ(fields().colour_preview, 449);

    input_.type("501");  // refused by the input: the cursor stays
    key('5');
    EXPECT_EQ(message(), "範囲を超えています");
    key(kKeyF9);
    EXPECT_EQ(fields().colour_preview, kNone);
    input_.type("500");
    key('5');
    key(kKeyF9);
    EXPECT_EQ(fields().colour_preview, 499);
    EXPECT_EQ(input_.requests.back().row, kFirstRow + 49);
    key('A');  // letters do not open the number's input
    EXPECT_EQ(input_.requests.size(), 3u);
    input_.escape();
    key('4');  // 500 came to the top of the page
    EXPECT_EQ(input_.requests.back().row, kFirstRow);
}

TEST_F(EditcolKeys, TypedLevelsAtTheirColumns) {
    struct Case {
        int column, at;
        uint8_t ColourRecord::*level;
    } cases[] = {
        {kEditcolY, 26, &ColourRecord::y}, {kEditcolM, 31, &ColourRecord::m}, {kEditcolC, 36, &ColourRecord::c}};
    for (const Case& c : cases) {
        go(2, c.column);
        input_.type("200");
        key('2');
        EXPECT_EQ(user(2).*c.level, 200);
        const LineInputRequest& r = input_.requests.back();
        EXPECT_EQ(r.text, "2");
        EXPECT_EQ(r.column, c.at);
        EXPECT_EQ(r.row, kFirstRow + 2);
        EXPECT_EQ(r.max_length, 3);
        EXPECT_EQ(r.ranges.int_min, 0);
        EXPECT_EQ(r.ranges.int_max, 255);
        input_.type("256");
        key('9');
        EXPECT_EQ(user(2).*c.level, 200);
        input_.escape();
        key('1');
        EXPECT_EQ(user(2).*c.level, 200);
        key('X');  // letters do not open a level's input
    }
    EXPECT_EQ(input_.requests.size(), 9u);
}

TEST_F(EditcolKeys, TypedLetterCaseInTheNameColumn) {
    struct Case {
        bool shift, caps;
        const char* preset;
    } cases[] = {{false, false, "r"}, {true, false, "R"}, {false, true, "R"}, {true, true, "r"}};
    go(1, kEditcolName);
    for (const Case& c : cases) {
        keys_.caps_lock = c.caps;
        input_.enter();
        key('R', c.shift ? kModShift : 0);
        EXPECT_EQ(input_.requests.back().text, c.preset) << c.shift << c.caps;
        EXPECT_EQ(std::string(user(1).name), c.preset);
    }
    const LineInputRequest& r = input_.requests.back();
    EXPECT_EQ(r.column, 13);
    EXPECT_EQ(r.row, kFirstRow + 1);
    EXPECT_EQ(r.max_length, 4);
    EXPECT_EQ(r.mode, inp_mode::kText);

    key('R', kModCtrl);  // Ctrl and Alt combinations type nothing
    key('R', kModAlt);
    key(kKeySpace);
    EXPECT_EQ(input_.requests.size(), 4u);
}

TEST_F(EditcolKeys, NameInputTakesAtMostFourBytes) {
    go(0, kEditcolName);
    input_.type("ABCDEFG");
    key('A');
    EXPECT_EQ(std::string(user(0).name, 6), std::string("ABCD\0\0", 6));
    input_.type(sjs("表ソ能"));
    key('1');
    EXPECT_EQ(std::string(user(0).name), sjs("表ソ"));
    tick();
    EXPECT_EQ(colour_row(0).substr(6, 6), "表ソ");
    input_.escape();
    key('Z');
    EXPECT_EQ(std::string(user(0).name), sjs("表ソ"));
}

TEST_F(EditcolKeys, EscClosesEndsThePreviewAndWritesTheColours) {
    user(7).m = 90;
    go(7, kEditcolName);
    key(kKeyF9);
    EXPECT_EQ(key(kKeyEsc), kResultRedrawTop);
    EXPECT_FALSE(editcol_is_open());
    EXPECT_EQ(editcol_window(), nullptr);
    EXPECT_EQ(screen_.top_window(), backdrop_);
    EXPECT_EQ(fields().colour_preview, kNone);
    const std::vector<unsigned char> file = read_bytes(folder_.file("PRSMDATA.COL"));
    ASSERT_EQ(file.size(), 4500u);
    EXPECT_EQ(file[407 * 9 + 7], 90);
    EXPECT_EQ(editcol_close(), 0);
}

TEST_F(EditcolKeys, ClicksPickTheColumnAndTheRow) {
    struct Case {
        int column, row;  // screen cell
        int level_stepped;  // 0 Y, 1 M, 2 C, -1 none
        int user_row;
    } cases[] = {
        {kLeft + 21, kFirstRow + 3, 0, 3},  {kLeft + 27, kFirstRow + 3, 1, 3}, {kLeft + 30, kFirstRow + 5, 2, 5},
        {kLeft + 40, kFirstRow + 6, 2, 6},  // right of the window: still C
        {kLeft + 2, kFirstRow + 6, -1, 6},  // number
        {kLeft + 17, kFirstRow + 8, -1, 8}, // the swatch keeps the column (number)
        {kLeft + 25, kHeaderRow, 1, 8},     // header row: the column only (M)...
        {kLeft + 25, kFirstRow + 9, 1, 9},  // ...then a row
    };
    for (const Case& c : cases) {
        EXPECT_EQ(click(c.column, c.row), 0);
        key(kKeyF6);
        if (c.level_stepped >= 0) {
            uint8_t* level = level_field(user(c.user_row), kEditcolY + c.level_stepped);
            EXPECT_EQ(*level, 1) << c.column << "," << c.row;
            *level = 0;
        }
        key(kKeyF9);
        EXPECT_EQ(fields().colour_preview, kFirstUserColour + c.user_row) << c.column << "," << c.row;
        key(kKeyF9);
    }
    for (int i = 0; i < kUserColours; ++i)
        EXPECT_EQ(user(i).y + user(i).m + user(i).c, 0) << i;
}

TEST_F(EditcolKeys, HoldingTheF6CapRepeats) {
    go(0, kEditcolY);
    ChwHoldRepeat repeat;
    auto pointer_on = [this](int column) {
        return [this, column] {
            return ChwPoint{column * screen_.cell_width() + 2, kBarRow * screen_.cell_height() + 2};
        };
    };
    // A press on the cap delivers one F6, then 20 ticks (1 s) held down.
    keys_.left_button = true;
    repeat.press();
    click(39, kBarRow);
    for (int i = 0; i < 20; ++i) repeat.tick(screen_, pointer_on(39));
    EXPECT_EQ(user(0).y, 7);
    // Held on F4 nothing repeats.
    repeat.press();
    for (int i = 0; i < 20; ++i) repeat.tick(screen_, pointer_on(24));
    EXPECT_EQ(user(0).y, 7);
    keys_.left_button = false;
}

}  // namespace
}  // namespace prismel::test
