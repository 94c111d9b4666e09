#include "chwin/chw_list.h"

#include "chwin/chw_keys.h"
#include "chwin/chw_screen.h"

namespace prismel {

ChwList::ChwList(ChwWindow* w, int cols, int rows, int rcount, int icount)
    : window(w), columns(cols < 1 ? 1 : cols), page_rows(rows < 1 ? 1 : rows),
      row_count(rcount), item_count(icount) {}

// When the cursor lies past the last item it goes to the column of the last
// item. A row that holds no item at all (item count a multiple of the columns,
// or no items) would give column -1; the last column of a full row is the
// same "last item" rule without ever going negative.
void ChwList::correct_column() {
    if (index() < item_count) return;
    int col = item_count % columns - 1;
    if (col < 0) col = item_count > 0 ? columns - 1 : 0;
    cursor_column = col;
}

void ChwList::go_to_row(int r) {
    if (r < 0 || r >= row_count) return;
    if (r < top_row || r > top_row + page_rows - 1) top_row = r;
    cursor_row = r - top_row;
    correct_column();
}

void ChwList::step_row_down() {
    if (cursor_row < page_rows - 1)
        ++cursor_row;
    else
        ++top_row;
}

void ChwList::step_row_up() {
    if (cursor_row > 0)
        --cursor_row;
    else if (top_row > 0)
        --top_row;
}

void ChwList::next_item() {
    if (index() < item_count - 1) {
        if (cursor_column < columns - 1) {
            ++cursor_column;
        } else if (current_row() < row_count - 1) {
            cursor_column = 0;
            step_row_down();
        }
    }
    last_move = 1;
}

void ChwList::previous_item() {
    if (index() > 0) {
        if (cursor_column > 0) {
            --cursor_column;
        } else {
            cursor_column = columns - 1;
            step_row_up();
        }
    }
    last_move = -1;
}

void ChwList::end_of_row() {
    for (int i = 0; i < columns && cursor_column < columns - 1; ++i) {
        int before = index();
        next_item();
        if (index() == before) break;  // at the last item: nothing more to do
    }
    last_move = 0;
}

void ChwList::row_up() {
    step_row_up();
    last_move = -1;
}

void ChwList::row_down() {
    int r = current_row();
    if ((r + 1) * columns < item_count && r < row_count - 1) {
        step_row_down();
        correct_column();
    }
    last_move = 1;
}

void ChwList::page_up() {
    for (int i = 0; i < page_rows; ++i) row_up();
    last_move = -1;
}

void ChwList::page_down() {
    for (int i = 0; i < page_rows; ++i) row_down();
    last_move = 1;
}

void ChwList::first_item() {
    cursor_column = cursor_row = top_row = 0;
    last_move = 1;
}

void ChwList::last_item() {
    go_to_row(row_count - 2 > 0 ? row_count - 2 : 0);
    row_down();
    end_of_row();
    last_move = -1;
}

std::span<const ChwListKey> chw_list_keys() {
    // The control-key equivalents are those of the console's old text
    // editors (E up, X down, S left, D right, R page up, C page down).
    static const ChwListKey keys[] = {
        {kKeyLeft, 0, &ChwList::previous_item, "カーソル移動"},
        {kKeyUp, 0, &ChwList::row_up, "カーソル移動"},
        {kKeyRight, 0, &ChwList::next_item, "カーソル移動"},
        {kKeyDown, 0, &ChwList::row_down, "カーソル移動"},
        {kKeyPageUp, 0, &ChwList::page_up, "前／次のページ"},
        {kKeyPageDown, 0, &ChwList::page_down, "前／次のページ"},
        {kKeyHome, 0, &ChwList::first_item, "先頭／最後へ"},
        {kKeyEnd, 0, &ChwList::last_item, "先頭／最後へ"},
        {'E', kModCtrl, &ChwList::row_up, "↑↓←→PgUp PgDnと同じ"},
        {'X', kModCtrl, &ChwList::row_down, "↑↓←→PgUp PgDnと同じ"},
        {'S', kModCtrl, &ChwList::previous_item, "↑↓←→PgUp PgDnと同じ"},
        {'D', kModCtrl, &ChwList::next_item, "↑↓←→PgUp PgDnと同じ"},
        {'R', kModCtrl, &ChwList::page_up, "↑↓←→PgUp PgDnと同じ"},
        {'C', kModCtrl, &ChwList::page_down, "↑↓←→PgUp PgDnと同じ"},
    };
    return keys;
}

bool ChwList::move_for_key(int code, int modifiers) {
    const int mods = modifiers & (kModShift | kModAlt | kModCtrl);  // higher bits: mouse buttons
    for (const ChwListKey& k : chw_list_keys()) {
        if (k.key == code && k.mods == mods) {
            (this->*k.move)();
            return true;
        }
    }
    return false;
}

bool ChwList::key(ChwScreen& s, int code, int modifiers) {
    if (!move_for_key(code, modifiers)) return false;
    s.show_message("");
    return true;
}

void ChwList::mark_cursor_cell(ChwScreen& s, int page_row, int column) const {
    if (is_cursor(page_row, column)) s.set_bg(Cursor);
}

}  // namespace prismel
