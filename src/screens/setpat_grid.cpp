#include "screens/setpat_grid.h"

#include "data/fixture_types.h"
#include "screens/screen_window.h"

namespace prismel {

namespace {

// Window-relative origin of the grid and the pitch of a cell: 9 columns of
// text and a gap of 2, the number row and the type row.
constexpr int kGridLeft = 2;
constexpr int kGridTop = 2;
constexpr int kCellPitch = 11;
constexpr int kCellText = 9;
constexpr int kCellRows = 2;

void draw_number(ChwScreen& s, const ChwList& cursor, int fixture) {
    const int column = fixture % kSetpatGridColumns;
    const int row = fixture / kSetpatGridColumns;
    s.set_dark_text(WinHiBg);
    cursor.mark_cursor_cell(s, row - cursor.top_row, column);
    s.set_attribute(kAttrBoxed);
    s.writef("   %2d    ", fixture + 1);
    s.set_attribute(0);
}

// The type and the start: "TURB|  1 ". A start outside the universe is no
// start to the engine, and shows as none; the blank after "---" keeps the
// strip as wide as a number's.
void draw_type_and_start(ChwScreen& s, const PatchRecord& p) {
    s.set_colours(WinFg, HeaderB);
    s.write(layout_grid_label(shown_layout(p.layout)));
    s.write_char('|');
    if (is_patched(p))
        s.writef("%3d ", p.start + 1);
    else
        s.write("--- ");
}

}  // namespace

void draw_setpat_grid(ChwScreen& s, const ChwWindow& w, const ChwList& cursor, const PatchTable& patch) {
    for (int f = 0; f < kFixtures; ++f) {
        const int column = kGridLeft + (f % kSetpatGridColumns) * kCellPitch;
        const int row = kGridTop + (f / kSetpatGridColumns) * kCellRows;
        at(s, w, column, row);
        draw_number(s, cursor, f);
        at(s, w, column, row + 1);
        draw_type_and_start(s, patch[f]);
    }
}

int setpat_fixture_at(const ChwWindow& w, int column, int row) {
    const int x = column - (w.left + kGridLeft);
    const int y = row - (w.top + kGridTop);
    if (x < 0 || y < 0) return kNone;
    const int c = x / kCellPitch;
    const int r = y / kCellRows;
    if (c >= kSetpatGridColumns || r >= kSetpatGridRows || x % kCellPitch >= kCellText) return kNone;
    return r * kSetpatGridColumns + c;
}

}  // namespace prismel
