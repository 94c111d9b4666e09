#include "chwin/chw_list.h"

#include <gtest/gtest.h>

#include "chwin/chw_keys.h"
#include "chwin/chw_screen.h"

namespace prismel {
namespace {

// Places the cursor on an item by moving there with the list's own moves.
void go_to_item(ChwList& l, int item) {
    l.first_item();
    while (l.index() < item) {
        int before = l.index();
        l.next_item();
        if (l.index() == before) break;
    }
}

TEST(ChwListPlain, DownScrollsAtTheLastPageRowAndPageDownMovesAPage) {
    ChwList l(nullptr, 1, 20, 500, 500);
    for (int i = 0; i < 19; ++i) l.row_down();
    EXPECT_EQ(l.cursor_row, 19);
    EXPECT_EQ(l.top_row, 0);
    l.row_down();
    EXPECT_EQ(l.cursor_row, 19);
    EXPECT_EQ(l.top_row, 1);
    EXPECT_EQ(l.index(), 20);

    l.first_item();
    l.page_down();
    EXPECT_EQ(l.index(), 20);
    EXPECT_EQ(l.last_move, 1);
    l.page_up();
    EXPECT_EQ(l.index(), 0);
    EXPECT_EQ(l.last_move, -1);
}

TEST(ChwListPlain, EndShowsTheLastTwoItemsAtTheTopWithTheCursorOnTheLast) {
    ChwList l(nullptr, 1, 20, 500, 500);
    l.last_item();
    EXPECT_EQ(l.top_row, 498);
    EXPECT_EQ(l.cursor_row, 1);
    EXPECT_EQ(l.index(), 499);
    EXPECT_EQ(l.last_move, -1);
    l.row_down();  // nothing below the last item
    EXPECT_EQ(l.index(), 499);
    l.next_item();
    EXPECT_EQ(l.index(), 499);
}

TEST(ChwListPlain, EndOnAListShorterThanThePageDoesNotScroll) {
    ChwList l(nullptr, 1, 20, 5, 5);
    l.last_item();
    EXPECT_EQ(l.top_row, 0);
    EXPECT_EQ(l.index(), 4);
}

TEST(ChwListPlain, MovesAtTheStartDoNothingButStillSetTheLastMove) {
    ChwList l(nullptr, 1, 20, 500, 500);
    l.last_move = 1;
    l.row_up();
    EXPECT_EQ(l.index(), 0);
    EXPECT_EQ(l.last_move, -1);
    l.last_move = 1;
    l.previous_item();
    EXPECT_EQ(l.index(), 0);
    EXPECT_EQ(l.last_move, -1);
    l.page_up();
    EXPECT_EQ(l.index(), 0);
    EXPECT_EQ(l.top_row, 0);
}

TEST(ChwListPlain, UpAtTheFirstPageRowScrollsBack) {
    ChwList l(nullptr, 1, 20, 500, 500);
    l.go_to_row(100);
    EXPECT_EQ(l.top_row, 100);
    EXPECT_EQ(l.cursor_row, 0);
    l.row_up();
    EXPECT_EQ(l.top_row, 99);
    EXPECT_EQ(l.index(), 99);
}

TEST(ChwListGrid, RightWrapsToTheNextRowAndStopsAtTheLastItem) {
    ChwList l(nullptr, 8, 8, 8, 64);
    go_to_item(l, 7);
    EXPECT_EQ(l.cursor_column, 7);
    l.next_item();
    EXPECT_EQ(l.cursor_column, 0);
    EXPECT_EQ(l.cursor_row, 1);
    EXPECT_EQ(l.index(), 8);

    go_to_item(l, 63);
    EXPECT_EQ(l.index(), 63);
    l.last_move = 0;
    l.next_item();
    EXPECT_EQ(l.index(), 63);
    EXPECT_EQ(l.last_move, 1);
}

TEST(ChwListGrid, LeftAtColumnZeroGoesToTheEndOfTheRowAbove) {
    ChwList l(nullptr, 8, 8, 8, 64);
    go_to_item(l, 16);
    l.previous_item();
    EXPECT_EQ(l.cursor_row, 1);
    EXPECT_EQ(l.cursor_column, 7);
}

TEST(ChwListGrid, DownOntoAPartialLastRowLandsOnItsLastItem) {
    ChwList l(nullptr, 3, 3, 3, 7);
    go_to_item(l, 5);  // row 1, column 2
    l.row_down();
    EXPECT_EQ(l.cursor_row, 2);
    EXPECT_EQ(l.cursor_column, 0);
    EXPECT_EQ(l.index(), 6);
    l.row_down();
    EXPECT_EQ(l.index(), 6);
}

TEST(ChwListGrid, EndOfRowStopsAtTheLastColumnOrTheLastItem) {
    ChwList l(nullptr, 8, 8, 8, 64);
    go_to_item(l, 10);
    l.end_of_row();
    EXPECT_EQ(l.index(), 15);
    EXPECT_EQ(l.last_move, 0);

    ChwList partial(nullptr, 3, 3, 3, 7);
    partial.last_item();
    EXPECT_EQ(partial.index(), 6);
    EXPECT_EQ(partial.last_move, -1);
}

TEST(ChwListGoToRow, IgnoresRowsOutsideTheListAndKeepsTheTopWhenTheRowIsOnThePage) {
    ChwList l(nullptr, 1, 20, 500, 500);
    l.go_to_row(-1);
    l.go_to_row(500);
    EXPECT_EQ(l.index(), 0);
    l.go_to_row(12);
    EXPECT_EQ(l.top_row, 0);
    EXPECT_EQ(l.cursor_row, 12);
    l.last_move = 1;
    l.go_to_row(300);
    EXPECT_EQ(l.top_row, 300);
    EXPECT_EQ(l.last_move, 1);  // go to row leaves it
}

TEST(ChwListGoToRow, ColumnCorrectionNeverGoesNegative) {
    // One row more than the items need: its items do not exist.
    ChwList full(nullptr, 8, 8, 9, 64);
    go_to_item(full, 5);
    full.go_to_row(8);
    EXPECT_GE(full.cursor_column, 0);
    EXPECT_EQ(full.cursor_column, 7);

    ChwList none(nullptr, 4, 5, 3, 0);
    none.cursor_column = 2;
    none.go_to_row(1);
    EXPECT_EQ(none.cursor_column, 0);

    ChwList partial(nullptr, 8, 8, 8, 61);
    go_to_item(partial, 6);
    partial.go_to_row(7);
    EXPECT_EQ(partial.index(), 60);
}

TEST(ChwListKeys, NavigationKeysWithoutModifiersOrWithCtrlAloneOnly) {
    ChwList l(nullptr, 1, 20, 500, 500);
    EXPECT_TRUE(l.move_for_key(kKeyDown, 0));
    EXPECT_EQ(l.index(), 1);
    EXPECT_FALSE(l.move_for_key(kKeyDown, kModShift));
    EXPECT_FALSE(l.move_for_key(kKeyDown, kModAlt));
    EXPECT_FALSE(l.move_for_key(kKeyDown, kModCtrl | kModShift));
    EXPECT_FALSE(l.move_for_key('X', kModCtrl | kModAlt));
    EXPECT_FALSE(l.move_for_key('X', 0));  // a plain letter is the screen's
    EXPECT_FALSE(l.move_for_key(kKeyEnter, 0));
    EXPECT_EQ(l.index(), 1);
    // Mouse-button bits above the modifiers do not count.
    EXPECT_TRUE(l.move_for_key(kKeyDown, 0x10));
    EXPECT_EQ(l.index(), 2);
    EXPECT_TRUE(l.move_for_key(kKeyEnd, 0));
    EXPECT_EQ(l.index(), 499);
    EXPECT_TRUE(l.move_for_key(kKeyHome, 0));
    EXPECT_EQ(l.index(), 0);
}

TEST(ChwListKeys, CtrlLettersMoveLikeTheirKeys) {
    struct Pair {
        int ctrl_letter, plain_key;
    } pairs[] = {{'R', kKeyPageUp}, {'C', kKeyPageDown}, {'E', kKeyUp},
                 {'X', kKeyDown},   {'S', kKeyLeft},     {'D', kKeyRight}};
    for (const Pair& p : pairs) {
        ChwList a(nullptr, 3, 4, 30, 88), b(nullptr, 3, 4, 30, 88);
        a.go_to_row(10);
        b.go_to_row(10);
        a.cursor_column = b.cursor_column = 1;
        EXPECT_TRUE(a.move_for_key(p.ctrl_letter, kModCtrl));
        EXPECT_TRUE(b.move_for_key(p.plain_key, 0));
        EXPECT_EQ(a.index(), b.index()) << char(p.ctrl_letter);
        EXPECT_EQ(a.top_row, b.top_row) << char(p.ctrl_letter);
        EXPECT_EQ(a.last_move, b.last_move) << char(p.ctrl_letter);
    }
}

TEST(ChwListScreen, AHandledKeyClearsTheMessageLineAndTheCursorCellIsMarked) {
    ChwScreen s;
    ChwList l(nullptr, 1, 20, 500, 500);
    s.set_message_line("old");
    EXPECT_FALSE(l.key(s, 'A', 0));
    EXPECT_STREQ(s.message_line(), "old");
    EXPECT_TRUE(l.key(s, kKeyDown, 0));
    EXPECT_STREQ(s.message_line(), "");

    s.set_normal_colours();
    l.mark_cursor_cell(s, 0, 0);
    EXPECT_EQ(s.bg_value(), s.colour_of(WinBg));
    l.mark_cursor_cell(s, 1, 0);
    EXPECT_EQ(s.bg_value(), s.colour_of(Cursor));
}

}  // namespace
}  // namespace prismel
