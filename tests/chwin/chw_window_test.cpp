#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chw_fake_host.h"
#include "chwin/chw_input.h"
#include "chwin/chw_keys.h"
#include "chwin/chw_screen.h"
#include "chwin/grid_dump.h"

namespace prismel {
namespace {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        s.set_visible(128, 64);
        s.set_fkey_row(62);
        backdrop = s.create_window(nullptr, "", kStyleBackdrop, 0, 0, 127, 63);
        s.show_window(backdrop);
    }
    void TearDown() override {
        for (ChwWindow* w = s.top_window(); w;) {
            ChwWindow* parent = w->parent;
            delete w;
            w = parent;
        }
    }
    // A framed window with a key handler that logs its calls.
    ChwWindow* open(const char* title, int l, int t, int r, int b, uint32_t style = kStyleFramed) {
        ChwWindow* w = s.create_window(s.top_window(), title, style, l, t, r, b);
        w->key_handler = [this, title](int key, int flags) {
            log.push_back(std::string(title) + ":" + std::to_string(key) + "/" + std::to_string(flags));
            return 0;
        };
        s.show_window(w);
        return w;
    }

    test::FakeHost host;
    ChwScreen s{&host};
    ChwWindow* backdrop = nullptr;
    std::vector<std::string> log;
};

TEST_F(WindowTest, ShownWindowHasTitleBarFrameAndInterior) {
    ChwWindow* w = open("Run", 2, 1, 21, 10);
    EXPECT_EQ(s.top_window(), w);
    EXPECT_EQ(w->active, 1);
    EXPECT_EQ(w->width, 20);
    EXPECT_EQ(w->height, 10);
    EXPECT_EQ(row_text(s, 1, 2, 20), " Run                ");
    EXPECT_EQ(s.cell(2, 1).attr, 0x30u);
    EXPECT_EQ(s.cell(3, 1).attr, 0xA0u);
    EXPECT_EQ(s.cell(20, 1).attr, 0xA0u);
    EXPECT_EQ(s.cell(21, 1).attr, 0x60u);
    EXPECT_EQ(s.cell(3, 1).bg, s.colour_of(TitleAct));
    EXPECT_EQ(s.cell(3, 1).fg, s.colour_of(TitleFg));
    EXPECT_EQ(s.cell(2, 5).attr, 0x410u);
    EXPECT_EQ(s.cell(21, 5).attr, 0x140u);
    EXPECT_EQ(s.cell(2, 5).bg, s.colour_of(FrameAct));
    EXPECT_EQ(s.cell(2, 10).attr, 0x90u);
    EXPECT_EQ(s.cell(10, 10).attr, 0x280u);
    EXPECT_EQ(s.cell(21, 10).attr, 0xC0u);
    EXPECT_EQ(s.cell(3, 5).bg, s.colour_of(WinBg));
    EXPECT_EQ(s.cell(3, 5).attr, 0u);
    EXPECT_EQ(s.cell(22, 5).bg, s.colour_of(ScreenBg));  // outside untouched
    EXPECT_EQ(s.attribute(), 0u);
}

TEST_F(WindowTest, TitleIsCutToTheBarAndToFortyThreeBytes) {
    const std::string long_title(60, 'T');
    ChwWindow* w = s.create_window(backdrop, long_title.c_str(), kStyleFramed, 0, 0, 9, 5);
    EXPECT_EQ(std::string(w->title), std::string(43, 'T'));
    s.show_window(w);
    EXPECT_EQ(row_text(s, 0, 0, 11), " TTTTTTTT  ");  // stays inside columns 0-9
    EXPECT_EQ(s.cell(9, 0).attr, 0x60u);
}

TEST_F(WindowTest, OpeningDrawsParentInactiveAndClosingHandsTopBack) {
    ChwWindow* a = open("A", 0, 0, 40, 20);
    ChwWindow* b = open("B", 5, 5, 30, 15);
    EXPECT_EQ(a->active, 0);
    EXPECT_EQ(s.cell(1, 0).bg, s.colour_of(TitleNeg));
    EXPECT_EQ(s.cell(0, 3).bg, s.colour_of(FrameNeg));
    EXPECT_EQ(s.cell(6, 5).bg, s.colour_of(TitleAct));

    host.reset();
    s.close_window(b, true);
    EXPECT_EQ(s.top_window(), a);
    EXPECT_EQ(s.cell(6, 5).bg, s.colour_of(ScreenBg));
    EXPECT_EQ(s.cell(30, 15).attr, 0u);
    EXPECT_EQ(host.invalidated.back(), (ChwRect{5 * 10, 5 * 24, 31 * 10, 16 * 24}));
    s.show_window(a);
    EXPECT_EQ(a->active, 1);
    EXPECT_EQ(s.cell(1, 0).bg, s.colour_of(TitleAct));
}

TEST_F(WindowTest, WindowOverAScreenBlanksItsInteriorThroughScreenBg) {
    open("A", 0, 0, 40, 20);
    host.reset();
    // The interior already holds blanks on WinBg, yet it must repaint.
    open("B", 5, 5, 30, 15);
    bool interior_invalidated = false;
    for (const ChwRect& r : host.invalidated)
        if (r.top == 10 * 24 && r.left == 6 * 10) interior_invalidated = true;
    EXPECT_TRUE(interior_invalidated);
    EXPECT_EQ(s.cell(10, 10).bg, s.colour_of(WinBg));
}

TEST_F(WindowTest, FooterSeparatorIsABarRow) {
    open("F", 0, 0, 20, 10, kStyleFramed | kStyleFooter);
    EXPECT_EQ(s.cell(1, 8).attr, kAttrBar);
    EXPECT_EQ(s.cell(19, 8).attr, kAttrBar);
    EXPECT_EQ(s.cell(1, 8).fg, s.colour_of(WinHiBg));
    EXPECT_EQ(s.cell(1, 9).attr, 0u);
}

TEST_F(WindowTest, StackExtentFollowsTheLowestFramedWindow) {
    EXPECT_EQ(s.stack_extent(), 0);
    ChwWindow* a = open("A", 0, 0, 40, 40);
    EXPECT_EQ(s.stack_extent(), 41 * 24 + 72);
    ChwWindow* b = open("B", 0, 0, 10, 10);
    EXPECT_EQ(s.stack_extent(), 41 * 24 + 72);  // only ever raised while opening
    s.close_window(b, true);
    EXPECT_EQ(s.stack_extent(), 41 * 24 + 72);
    s.close_window(a, true);
    EXPECT_EQ(s.stack_extent(), 0);
    EXPECT_EQ(s.top_window(), backdrop);
}

TEST_F(WindowTest, WindowsAreKeptInsideTheGrid) {
    ChwWindow* w = s.create_window(backdrop, "X", kStyleFramed, 120, 60, 140, 70);
    EXPECT_EQ(w->right, 127);
    EXPECT_EQ(w->bottom, 63);
    s.show_window(w);
    s.close_window(w, true);
    EXPECT_EQ(s.cell(127, 63).bg, s.colour_of(ScreenBg));
}

TEST_F(WindowTest, CursorInWindowAndClearToFrame) {
    ChwWindow* w = open("A", 10, 5, 30, 15);
    s.move_cursor_in(w, 1, 2);
    EXPECT_EQ(s.cursor_column(), 11);
    EXPECT_EQ(s.cursor_row(), 7);
    s.write("abc");
    s.move_cursor_in(w, 2, 2);
    s.set_normal_colours();
    s.clear_to_frame(w);
    EXPECT_EQ(row_text(s, 7, 10, 21), " a                   ");
    EXPECT_EQ(s.cell(30, 7).attr, 0x140u);  // frame kept
}

TEST_F(WindowTest, ClosedResultShowsParentAndSendsKeyZero) {
    ChwWindow* a = open("A", 0, 0, 40, 20);
    ChwWindow* b = open("B", 5, 5, 30, 15);
    b->key_handler = [&](int key, int) {
        log.push_back("B:" + std::to_string(key));
        s.close_window(b, true);
        return kResultWindowClosed;
    };
    EXPECT_EQ(deliver_key(s, kKeyEsc, kModShift), kResultWindowClosed);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], "B:27");
    EXPECT_EQ(log[1], "A:0/1");
    EXPECT_EQ(s.top_window(), a);
    EXPECT_EQ(a->active, 1);
    EXPECT_EQ(s.cell(1, 0).bg, s.colour_of(TitleAct));
}

TEST_F(WindowTest, RedrawAndQuitResults) {
    ChwWindow* a = open("A", 0, 0, 40, 20);
    a->key_handler = [](int key, int) { return key == kKeyF12 ? kResultQuit : kResultRedrawTop; };
    s.draw_inactive(a);
    EXPECT_EQ(deliver_key(s, kKeyEnter, 0), kResultRedrawTop);
    EXPECT_EQ(a->active, 1);
    EXPECT_EQ(deliver_key(s, kKeyF12, 0), kResultQuit);
    EXPECT_EQ(s.top_window(), a);
}

TEST_F(WindowTest, KeypadDigitsArriveAsDigitKeys) {
    open("A", 0, 0, 40, 20);
    deliver_key(s, 101, 0);
    deliver_key(s, 96, 0);
    deliver_key(s, 106, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"A:53/0", "A:48/0", "A:106/0"}));
}

TEST_F(WindowTest, WheelAndModifierReleases) {
    open("A", 0, 0, 40, 20);
    deliver_wheel(s, -120, kModShift);
    deliver_wheel(s, 120, kModShift);
    deliver_wheel(s, 120, 0);
    deliver_wheel(s, -1, 0);
    deliver_key_release(s, kKeyShift, 0);
    deliver_key_release(s, 'A', 0);
    EXPECT_EQ(log, (std::vector<std::string>{"A:192/1", "A:0/1", "A:191/1", "A:0/1", "A:38/0", "A:40/0",
                                             "A:16/0"}));
}

TEST_F(WindowTest, ClicksOnTheBarAreFunctionKeys) {
    ChwWindow* a = open("A", 0, 0, 40, 20);
    int mouse_calls = 0;
    a->mouse_handler = [&](int c, int r, int, int) {
        ++mouse_calls;
        return c == 3 && r == 4 ? kKeyEnter : 0;
    };
    EXPECT_EQ(deliver_left_click(s, 62, 62, 0, 0), kKeyF9);
    EXPECT_EQ(deliver_left_click(s, 59, 62, 0, 0), 0);
    EXPECT_EQ(deliver_left_click(s, 66, 62, 0, 0), 0);
    EXPECT_EQ(mouse_calls, 0);
    EXPECT_FALSE(s.pressed_key_rect().empty());
    EXPECT_EQ(deliver_left_click(s, 3, 4, 0, 0), kKeyEnter);
    EXPECT_EQ(deliver_left_click(s, 5, 4, 0, 0), 0);
    EXPECT_EQ(mouse_calls, 2);
    EXPECT_EQ(log, (std::vector<std::string>{"A:120/0", "A:13/0"}));
}

TEST_F(WindowTest, DoubleClickThatClosesSuppressesTheNextPress) {
    ChwWindow* a = open("A", 0, 0, 40, 20);
    int mouse_calls = 0;
    a->mouse_handler = [&](int, int, int, int) { return ++mouse_calls, 0; };
    ChwWindow* b = open("B", 5, 5, 30, 15);
    b->double_click_handler = [&] {
        s.close_window(b, true);
        return kResultWindowClosed;
    };
    EXPECT_EQ(deliver_double_click(s), kResultWindowClosed);
    EXPECT_EQ(s.top_window(), a);
    EXPECT_EQ(log.back(), "A:0/0");
    deliver_left_click(s, 3, 3, 0, 0);
    EXPECT_EQ(mouse_calls, 0);
    deliver_left_click(s, 3, 3, 0, 0);
    EXPECT_EQ(mouse_calls, 1);
}

TEST_F(WindowTest, InputWithoutKeyHandlerIsIgnored) {
    ChwWindow* w = s.create_window(backdrop, "X", kStyleFramed, 0, 0, 10, 10);
    int mouse_calls = 0;
    w->mouse_handler = [&](int, int, int, int) { return ++mouse_calls, kKeyEnter; };
    s.show_window(w);
    EXPECT_EQ(deliver_key(s, kKeyEnter, 0), 0);
    EXPECT_EQ(deliver_left_click(s, 3, 3, 0, 0), 0);
    EXPECT_EQ(mouse_calls, 0);
    deliver_wheel(s, 1, 0);
    deliver_tick(s);
}

}  // namespace
}  // namespace prismel
