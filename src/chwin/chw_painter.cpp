#include "chwin/chw_painter.h"

#include <algorithm>

#include "chwin/chw_fkey_bar.h"
#include "platform/text_codec.h"

namespace prismel {

namespace {

constexpr unsigned char kGaugeLead = 0xF0;

bool is_gauge(unsigned char lead, unsigned char trail) {
    return lead == kGaugeLead && trail >= 0x40 && trail <= 0x4F;
}

// The gauge of height n (0-15) inside the cell pair at (x, y): a bar from its
// height down to 9/10 of the font height.
ChwRect gauge_bar(int x, int y, int fs, int n) {
    return {x, y + ((15 - n) * fs * 9) / 150, x + (2 * fs) / 3, y + (fs * 9) / 10 + 1};
}

// Paints the cell at (c, r) with its pixels moved by (dx, dy); returns the
// number of cells it covered (2 for a double-byte character).
int paint_cell(const ChwScreen& s, ChwCanvas& canvas, int c, int r, int dx, int dy) {
    const int fs = s.font_size();
    const int cw = fs / 2;
    const int x = c * cw + dx;
    const int y = r * (fs + 4) + dy;
    const ChwCell& cell = s.cell(c, r);
    const bool pair = is_sjis_lead(cell.ch) && c + 1 < ChwScreen::kColumns;
    const ChwCell& trail = pair ? s.cell(c + 1, r) : cell;
    unsigned char bytes[2] = {cell.ch, trail.ch};
    if (!pair && is_sjis_lead(cell.ch)) bytes[0] = ' ';  // half a character: nothing to show
    const int n = pair ? 2 : 1;
    const bool gauge = pair && is_gauge(cell.ch, trail.ch);
    ChwRect box{x, y, x + (pair ? fs : cw), y + fs + 4};
    ChwRect last = box;

    if (cell.attr & kAttrBar) {
        canvas.fill(box, cell.bg);
        last = {box.left, box.top + fs / 3, box.right, box.bottom - fs / 3};
        canvas.fill(last, cell.fg);
        canvas.edge(last, kSideTop | kSideBottom, ChwEdge::RaisedOuter);
    } else if (cell.attr & kAttrUnderline) {
        last = {x, y + fs, box.right, y + fs + 4};
        canvas.fill(last, s.colour_of(WinBg));
        if (gauge) {
            canvas.fill({x, y, box.right, y + fs}, cell.bg);
            canvas.fill(gauge_bar(x, y, fs, trail.ch - 0x40), trail.fg);
        } else {
            canvas.text(x, y, bytes, n, fs, cell.fg, cell.bg);
        }
    } else if (gauge) {
        canvas.fill(box, trail.bg);
        last = gauge_bar(x, y, fs, trail.ch - 0x40);
        canvas.fill(last, trail.fg);
    } else if (pair) {
        canvas.fill(box, trail.bg);
        canvas.text(x, y + 2, bytes, 2, fs + 2, cell.fg, trail.bg);
    } else {
        canvas.fill(box, cell.bg);
        canvas.text(x, y + 2, bytes, 1, fs + 2, cell.fg, cell.bg);
    }

    unsigned sides = (cell.attr >> 4) & 0xF;
    if (sides) {
        canvas.edge(last, sides, ChwEdge::Raised);
        sides |= (cell.attr >> 8) & 0xF;
        canvas.edge(last, sides, ChwEdge::RaisedOuter);
    }
    return n;
}

// The strip right of the last visible column (pixels short of a double
// cell, or a window wider than the grid) shows the background.
ChwRect right_strip(const ChwScreen& s, const ChwCanvas& canvas) {
    const int fs = s.font_size();
    const int width = canvas.client_width();
    const int bottom = canvas.client_height();
    const int grid_right = std::min(width - width % fs, s.visible_columns() * s.cell_width());
    if (grid_right >= width) return {};
    return {grid_right, bottom - bottom % (fs + 4) - 3 * fs - 12, width, bottom};
}

// The cells of row r whose boxes reach into the pixel columns [left, right).
// The walk starts at column 0 so that a double-byte character across `left`
// is painted whole.
void paint_row_span(const ChwScreen& s, ChwCanvas& canvas, int r, int left, int right) {
    const int cw = s.cell_width();
    for (int c = 0; c < s.visible_columns();) {
        const int n = is_sjis_lead(s.cell(c, r).ch) && c + 1 < ChwScreen::kColumns ? 2 : 1;
        const int x = c * cw;
        if (x >= right) break;
        if (x + n * cw > left)
            c += paint_cell(s, canvas, c, r, 0, 0);
        else
            c += n;
    }
}

}  // namespace

void paint_rows(const ChwScreen& s, ChwCanvas& canvas, int first, int last) {
    const int fs = s.font_size();
    canvas.set_font_size(fs);
    if (first < 0) first = 0;
    if (last < 0 || last >= s.visible_rows()) last = s.visible_rows() - 1;
    for (int r = first; r <= last; ++r)
        for (int c = 0; c < s.visible_columns();) c += paint_cell(s, canvas, c, r, 0, 0);
    const ChwRect strip = right_strip(s, canvas);
    if (!strip.empty()) canvas.fill(strip, s.colour_of(ScreenBg));
}

void paint_area(const ChwScreen& s, ChwCanvas& canvas, const ChwRect& area) {
    if (area.empty() || area.bottom <= 0 || area.right <= 0) return;
    const int ch = s.cell_height();
    canvas.set_font_size(s.font_size());
    const int first = std::max(0, area.top / ch);
    const int last = std::min(s.visible_rows() - 1, (area.bottom - 1) / ch);
    for (int r = first; r <= last; ++r) paint_row_span(s, canvas, r, area.left, area.right);
    const ChwRect strip = right_strip(s, canvas);
    if (!strip.empty() && strip.meets(area)) canvas.fill(strip, s.colour_of(ScreenBg));
}

void paint_pressed_cap(const ChwScreen& s, ChwCanvas& canvas) {
    const ChwRect& r = s.pressed_key_rect();
    if (r.empty() || s.fkey_row() < 0) return;
    const int cw = s.cell_width();
    canvas.set_font_size(s.font_size());
    canvas.push_clip(r);
    const int first = r.left / cw;
    for (int c = first; c < first + kCapWidth && c < ChwScreen::kColumns;)
        c += paint_cell(s, canvas, c, s.fkey_row(), 1, 1);
    const uint32_t frame = s.colour_of(WinNgFg);
    canvas.fill({r.left, r.top, r.right, r.top + 1}, frame);
    canvas.fill({r.left, r.bottom - 1, r.right, r.bottom}, frame);
    canvas.fill({r.left, r.top, r.left + 1, r.bottom}, frame);
    canvas.fill({r.right - 1, r.top, r.right, r.bottom}, frame);
    canvas.pop_clip();
}

}  // namespace prismel
