// The host's mouse rules that need no window system: the press rule with its
// result, frame selection by dragging and the hold repeat of F5/F6.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chw_fake_host.h"
#include "chwin/chw_frame_select.h"
#include "chwin/chw_hold_repeat.h"
#include "chwin/chw_input.h"
#include "chwin/chw_keys.h"
#include "chwin/chw_screen.h"
#include "platform/input_state.h"
#include "platform/text_codec.h"

namespace prismel {
namespace {

class MouseRulesTest : public ::testing::Test {
protected:
    void SetUp() override {
        s.set_visible(128, 64);
        s.set_fkey_row(62);
        backdrop = s.create_window(nullptr, "", kStyleBackdrop, 0, 0, 127, 63);
        s.show_window(backdrop);
        // Cells 2,2-60,20 at font size 20: pixels 20,48-610,504.
        w = s.create_window(backdrop, "W", kStyleFramed, 2, 2, 60, 20);
        w->key_handler = [this](int key, int flags) {
            keys.push_back(key);
            key_flags.push_back(flags);
            return key == kKeyF12 ? kResultQuit : 0;
        };
        s.show_window(w);
        set_input_state(&input);
    }
    void TearDown() override {
        set_input_state(nullptr);
        delete w;
        delete backdrop;
    }
    // The middle of a cell in client pixels.
    static ChwPoint cell(int column, int row) { return {column * 10 + 5, row * 24 + 12}; }

    test::FakeHost host;
    ChwScreen s{&host};
    ChwWindow* backdrop = nullptr;
    ChwWindow* w = nullptr;
    FixedInputState input;
    std::vector<int> keys, key_flags;
};

TEST_F(MouseRulesTest, PressTellsTheKeyAndItsResult) {
    w->mouse_handler = [](int column, int, int, int) { return column == 10 ? kKeyF12 : 0; };
    EXPECT_EQ(deliver_left_press(s, 10, 5, kButtonLeft, 0).result, kResultQuit);
    const ChwPress on_bar = deliver_left_press(s, 62, 62, kButtonLeft, 0);
    EXPECT_EQ(on_bar.key, kKeyF9);
    EXPECT_EQ(on_bar.result, 0);
    EXPECT_EQ(deliver_left_press(s, 11, 5, kButtonLeft, 0).key, 0);
    EXPECT_EQ(keys, (std::vector<int>{kKeyF12, kKeyF9}));
}

TEST_F(MouseRulesTest, FrameSelectionStartsOnlyInsideTheInteriorWhileUnlocked) {
    EXPECT_EQ(frame_select_area(s, w), (ChwRect{30, 72, 600, 480}));
    struct Case {
        int x, y, lock;
        bool starts;
    } cases[] = {
        {200, 240, 0, true}, {200, 240, 1, false},  // locked (the default)
        {30, 72, 0, true},   {599, 479, 0, true},    // the interior's corners
        {29, 240, 0, false}, {600, 240, 0, false},   // the left and right frame
        {200, 71, 0, false}, {200, 480, 0, false},   // the title bar and the bottom frame
        {700, 240, 0, false},                         // outside the window
    };
    for (const Case& c : cases) {
        s.rubber_band = ChwRubberBand{};
        s.rubber_band.lock_count = c.lock;
        host.message.clear();
        const ChwRect area = start_frame_select(s, c.x, c.y);
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " lock " << c.lock);
        EXPECT_EQ(s.rubber_band.active != 0, c.starts);
        EXPECT_EQ(!area.empty(), c.starts);
        if (!c.starts) continue;
        EXPECT_EQ(area, (ChwRect{30, 72, 600, 480}));
        EXPECT_EQ(s.rubber_band.rect, (ChwRect{c.x, c.y, c.x, c.y}));
        EXPECT_EQ(host.message, sj("枠選択中"));
    }
}

TEST_F(MouseRulesTest, DragAndReleaseHandTheRectangleToTheTopWindow) {
    std::vector<ChwRect> selected;
    std::vector<int> flags;
    w->frame_select_handler = [&](const ChwRect& r, int f) {
        selected.push_back(r);
        flags.push_back(f);
    };
    drag_frame_select(s, 10, 10);  // nothing active: nothing moves
    EXPECT_FALSE(end_frame_select(s, 0));
    EXPECT_TRUE(selected.empty());

    s.rubber_band.lock_count = 0;
    ASSERT_FALSE(start_frame_select(s, 300, 200).empty());
    // The frame holds the whole cell it started in (300-310, 192-216 at
    // font size 20), whichever way it is drawn.
    drag_frame_select(s, 250, 260);
    EXPECT_EQ(s.rubber_band.rect, (ChwRect{250, 192, 310, 260}));
    drag_frame_select(s, 320, 100);
    EXPECT_EQ(s.rubber_band.rect, (ChwRect{300, 100, 320, 216}));
    drag_frame_select(s, 300, 200);  // back where it started: a click
    EXPECT_EQ(s.rubber_band.rect, (ChwRect{300, 200, 300, 200}));
    drag_frame_select(s, 320, 100);
    EXPECT_TRUE(end_frame_select(s, kModCtrl));
    EXPECT_EQ(selected, (std::vector<ChwRect>{{300, 100, 320, 216}}));
    EXPECT_EQ(flags, (std::vector<int>{kModCtrl}));
    EXPECT_FALSE(s.rubber_band.active);
    EXPECT_EQ(host.message, "");

    // A window without the capability: the selection just ends.
    w->frame_select_handler = nullptr;
    start_frame_select(s, 300, 200);
    EXPECT_TRUE(end_frame_select(s, 0));
    EXPECT_EQ(selected.size(), 1u);
}

TEST_F(MouseRulesTest, HoldingTheButtonOnF5OrF6Repeats) {
    ChwHoldRepeat hold;
    ChwPoint pointer = cell(40, 62);  // the F6 cap
    auto where = [&] { return pointer; };
    auto run = [&](int ticks) {
        for (int i = 0; i < ticks; ++i) hold.tick(s, where);
    };
    w->repeat_held_caps = true;
    input.left_button = true;
    run(20);  // one second: a repeat is due on the even ticks, from the fifth step on
    EXPECT_EQ(keys, std::vector<int>(6, kKeyF6));
    EXPECT_EQ(hold.hold_count(), 10);

    struct Case {
        const char* what;
        ChwPoint at;
        bool repeats, button, shift;
        int key;
    } cases[] = {
        {"F5 with Shift", cell(31, 62), true, true, true, kKeyF5},
        {"F1", cell(3, 62), true, true, false, 0},
        {"F7", cell(45, 62), true, true, false, 0},
        {"not the bar", cell(40, 61), true, true, false, 0},
        {"left of the client", {-5, 62 * 24 + 12}, true, true, false, 0},
        {"window does not ask", cell(40, 62), false, true, false, 0},
        {"button up", cell(40, 62), true, false, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        keys.clear();
        key_flags.clear();
        hold.press();
        pointer = c.at;
        w->repeat_held_caps = c.repeats;
        input.left_button = c.button;
        input.shift = c.shift;
        run(10);
        EXPECT_EQ(keys, c.key ? std::vector<int>{c.key} : std::vector<int>{});
        if (c.key) {
            EXPECT_EQ(key_flags, std::vector<int>{kModShift});
        }
    }
}

}  // namespace
}  // namespace prismel
