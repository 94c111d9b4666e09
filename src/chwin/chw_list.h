#pragma once
// The cursor and scroll model behind every list and grid on the screens:
// items laid out in rows of a fixed number of columns, a page of which is
// visible in a window. It draws nothing; the owner draws the visible rows
// from the top row and asks which cell is the cursor.

#include <span>

namespace prismel {

class ChwScreen;
struct ChwWindow;
struct ChwList;

// A key the list moves on: the code, the modifiers it is pressed with (none
// or Ctrl alone), the move and what the move is called in a key map (UTF-8).
struct ChwListKey {
    int key;
    int mods;
    void (ChwList::*move)();
    const char* what;
};

// Every key a list control moves on, in the order a key map lists them.
std::span<const ChwListKey> chw_list_keys();

struct ChwList {
    ChwWindow* window = nullptr;  // the window the list belongs to
    int columns = 1;              // items per row
    int page_rows = 1;            // rows visible at once
    int row_count = 0;            // may be changed by the owner at any time
    int item_count = 0;           // may be changed by the owner at any time
    int cursor_column = 0;
    int cursor_row = 0;           // within the page
    int top_row = 0;              // first visible row
    int last_move = 0;            // 1 forward, -1 back, 0 after end of row

    ChwList() = default;
    // Columns and page rows below 1 are taken as 1.
    ChwList(ChwWindow* window, int columns, int page_rows, int row_count, int item_count);

    int index() const { return (top_row + cursor_row) * columns + cursor_column; }
    int current_row() const { return top_row + cursor_row; }
    bool is_cursor(int page_row, int column) const {
        return page_row == cursor_row && column == cursor_column;
    }

    void go_to_row(int row);
    void next_item();
    void previous_item();
    void end_of_row();
    void row_up();
    void row_down();
    void page_up();
    void page_down();
    void first_item();
    void last_item();

    // Moves for a navigation key pressed without modifiers or with Ctrl
    // alone; true when the key was one of them.
    bool move_for_key(int code, int modifiers);
    // The same, and a handled key clears the message line. Screens pass every
    // key here first and go on with their own handling when it returns false.
    bool key(ChwScreen& screen, int code, int modifiers);
    // Called just before writing a cell of the page: the cursor cell gets the
    // Cursor background.
    void mark_cursor_cell(ChwScreen& screen, int page_row, int column) const;

private:
    void correct_column();
    void step_row_down();
    void step_row_up();
};

}  // namespace prismel
