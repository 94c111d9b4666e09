// Marks by mouse: clicks with Shift and Ctrl, and frames dragged over the
// grid, through the host's own press, drag and release.
#include "chwin/chw_frame_select.h"
#include "editscn_fixture.h"
#include "screens/editscn_rules.h"

namespace prismel::test {
namespace {

class EditscnMouse : public EditscnTest {
protected:
    void SetUp() override { open(); }

    int fs() const { return screen_.font_size(); }
    // A pixel inside fixture f's cell, dx / dy from its top-left.
    int x_in(int f, int dx = 3) const { return fixture_pixel_rect(kLeft, kTop, fs(), f).left + dx; }
    int y_in(int f, int dy = 3) const { return fixture_pixel_rect(kLeft, kTop, fs(), f).top + dy; }

    // Press, drag and release as the main window does; a press that gives no
    // key may start a frame.
    void drag(int x0, int y0, int x1, int y1, int flags = 0) {
        const ChwPress p = deliver_left_press(screen_, x0 * 2 / fs(), y0 / screen_.cell_height(), kButtonLeft,
                                              flags | kModLeftButton);
        ASSERT_EQ(p.key, 0);
        start_frame_select(screen_, x0, y0);
        drag_frame_select(screen_, x1, y1);
        end_frame_select(screen_, flags);
    }
    void mark(std::initializer_list<int> fixtures) {
        for (int f : fixtures) click(cell_column(f), title_row(f), kModCtrl);
    }
};

TEST_F(EditscnMouse, ClicksMoveTheCursorAndGiveNoKey) {
    struct Case {
        int column, row, cursor;
    } cases[] = {
        {cell_column(9) + 4, colour_row(9), 9}, {cell_column(63) + 9, title_row(63), 63},
        {cell_column(5) + 10, title_row(5), 63},  // the gap: nothing
        {kLeft + 1, title_row(0), 63},            // left of the grid
        {cell_column(0), kTop + 2, 63},           // the separator row
        {cell_column(0), kTop + 20, 63},          // below the grid
    };
    for (const Case& c : cases) {
        EXPECT_EQ(click(c.column, c.row), 0);
        EXPECT_EQ(cursor_shown(), c.cursor) << c.column << "," << c.row;
    }
    EXPECT_EQ(marks_shown(), std::string(kFixtures, '.'));
}

TEST_F(EditscnMouse, ShiftAndCtrlClicks) {
    click(cell_column(4), title_row(4));
    click(cell_column(6), title_row(6), kModShift);  // from the cursor fixture
    EXPECT_EQ(marks_shown().substr(0, 8), "....xxx.");
    click(cell_column(1), title_row(1), kModShift);  // from the first mark, backwards
    EXPECT_EQ(marks_shown().substr(0, 8), ".xxxxxx.");
    click(cell_column(3), title_row(3), kModCtrl);
    EXPECT_EQ(marks_shown().substr(0, 8), ".xx.xxx.");
    click(cell_column(3), colour_row(3), kModCtrl);
    EXPECT_EQ(marks_shown().substr(0, 8), ".xxxxxx.");
    EXPECT_EQ(cursor_shown(), 3);
    click(cell_column(12), title_row(12));  // a plain click marks nothing
    EXPECT_EQ(marks_shown().substr(0, 16), ".xxxxxx.........");
}

TEST_F(EditscnMouse, FramesMarkWhatTheyHoldWhole) {
    EXPECT_EQ(editscn_window()->frame_select_handler != nullptr, true);
    mark({20, 40});
    struct Case {
        const char* what;
        int x0, y0, x1, y1, flags;
        const char* first24;  // fixtures 1-24 afterwards
    } cases[] = {
        {"fixtures 1-2 and 9-10", x_in(0, -1), y_in(0, -1), x_in(9, 110), y_in(9, 60), 0,
         "xx......xx.............."},
        {"with ctrl, 3-4 added", x_in(2, -1), y_in(2, -1), x_in(3, 101), y_in(3, 49), kModCtrl,
         "xxxx....xx.............."},
        {"one pixel short of a cell", x_in(2, -1), y_in(2, -1), x_in(3, 98), y_in(3, 49), 0,
         "..x....................."},
        {"a click on a cell", x_in(17), y_in(17), x_in(17), y_in(17), 0, "..x....................."},
        {"started one pixel inside a cell's top edge", x_in(9, 2), y_in(9, 1), x_in(9, 101), y_in(9, 49), 0,
         ".........x.............."},
        {"started on its last pixels, drawn up and left", x_in(9, 99), y_in(9, 47), x_in(9, -1), y_in(9, -1),
         kModCtrl, ".........x.............."},
        {"a click on the gap", x_in(17, 104), y_in(17), x_in(17, 104), y_in(17), kModCtrl,
         ".........x.............."},
        {"a click outside the cells", x_in(17, 104), y_in(17), x_in(17, 104), y_in(17), 0,
         "........................"},
    };
    for (const Case& c : cases) {
        drag(c.x0, c.y0, c.x1, c.y1, c.flags);
        EXPECT_EQ(marks_shown().substr(0, 24), c.first24) << c.what;
        EXPECT_EQ(marked(40), false) << c.what;  // cleared by the first frame, never marked again
    }
    EXPECT_EQ(message(), "");  // "枠選択中" is gone with the release
}

TEST_F(EditscnMouse, NoDragOnTopOfAListOrAfterClose) {
    key(kKeyF5);
    EXPECT_EQ(screen_.rubber_band.lock_count, 1);
    key(kKeyEsc);
    EXPECT_EQ(screen_.rubber_band.lock_count, 0);
    key(kKeyEsc);
    EXPECT_EQ(screen_.rubber_band.lock_count, 1);
    EXPECT_TRUE(start_frame_select(screen_, x_in(0), y_in(0)).empty());
}

}  // namespace
}  // namespace prismel::test
