#include "chwin/chw_screen.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/text_codec.h"

namespace prismel {

ChwScreen* g_screen = nullptr;

namespace {

// One comparison of the whole cell: screens rewrite every cell of their
// window on every tick, and nearly all of them are unchanged.
bool store_cell(ChwCell& c, uint8_t ch, uint32_t fg, uint32_t bg, uint32_t attr) {
    const ChwCell want{ch, fg, bg, attr};
    if (c == want) return false;
    c = want;
    return true;
}

// A boxed field draws one raised box around the whole string.
uint32_t effective_attribute(uint32_t attr, int i, int n) {
    if (attr != kAttrBoxed) return attr;
    if (i == 0) return 0xB0;
    if (i == n - 1) return 0xE0;
    return 0xA0;
}

}  // namespace

ChwScreen::ChwScreen(ChwHost* host) : host_(host), scheme_(ChwColourScheme::defaults()) {
    fg_ = scheme_.of(WinFg);
    bg_ = scheme_.of(ScreenBg);
    for (auto& row : grid_)
        for (auto& c : row) c = ChwCell{' ', fg_, bg_, 0};
}

void ChwScreen::set_font_size(int px) {
    font_size_ = px < 2 ? 2 : px;
}

void ChwScreen::set_visible(int columns, int rows) {
    visible_columns_ = columns < 92 ? 92 : columns > kColumns ? kColumns : columns;
    visible_rows_ = rows < 29 ? 29 : rows > kRows ? kRows : rows;
}

void ChwScreen::move_cursor(int column, int row) {
    if (column < kColumns) cursor_col_ = column < 0 ? 0 : column;
    if (row < kRows) cursor_row_ = row < 0 ? 0 : row;
}

void ChwScreen::write(const char* text) {
    if (text) write(text, static_cast<int>(std::strlen(text)));
}

// Cells change only here. A lead byte whose trail byte is missing (end of the
// text) or would fall outside the grid (column 127) is stored as a blank, so
// the grid never holds half a character.
void ChwScreen::write(const char* text, int n) {
    if (!text || n <= 0) return;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    const int cw = cell_width();
    const int ch = cell_height();
    // Locals, not members, in the loop: the stores into the grid would
    // otherwise make the compiler reload every member for every byte.
    const uint32_t fg = fg_, bg = bg_, attr = attr_;
    int col = cursor_col_;
    ChwRect dirty{cw * col, ch * cursor_row_, cw * col, ch * cursor_row_ + ch};
    bool changed = false;
    ChwCell* row = grid_[cursor_row_];
    for (int i = 0; i < n && col < kColumns;) {
        unsigned char b = bytes[i];
        const bool lead = is_sjis_lead(b);
        const bool pair = lead && i + 1 < n && col + 1 < kColumns;
        if (lead && !pair) b = ' ';
        changed |= store_cell(row[col], b, fg, bg, effective_attribute(attr, i, n));
        const int step = pair ? 2 : 1;
        if (pair) changed |= store_cell(row[col + 1], bytes[i + 1], fg, bg, attr);
        col += step;
        i += step;
        if (!changed) dirty.left += step * cw;
        dirty.right += step * cw;
    }
    cursor_col_ = col;
    if (changed) invalidate(dirty);
}

void ChwScreen::writef(const char* format, ...) {
    char buf[512];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(buf, sizeof buf, format, args);
    va_end(args);
    if (n < 0) return;
    write(buf, n < static_cast<int>(sizeof buf) ? n : static_cast<int>(sizeof buf) - 1);
}

void ChwScreen::write_level_gauge(int level, int colour_index) {
    const int n = (static_cast<unsigned>(level) >> 4) & 15;
    set_fg(n == 0 ? ColBlue : colour_index);
    const char glyph[2] = {static_cast<char>(0xF0), static_cast<char>(0x40 + n)};
    write(glyph, 2);
}

void ChwScreen::write_two_level_gauge(int level_a, int level_b) {
    write_level_gauge(level_a, HeaderG);
    write_level_gauge(level_b, HeaderY);
}

void ChwScreen::write_blanks(int n) {
    static const char blanks[kColumns + 1] =
        "                                                                "
        "                                                                ";
    if (n > kColumns) n = kColumns;
    if (n > 0) write(blanks, n);
}

void ChwScreen::clear_row(int row) {
    if (fkey_row_ == -1 || row < 0 || row >= kRows) return;
    if (row < fkey_row_ - 1)
        set_normal_colours();
    else
        set_dark_text(ScreenBg);
    move_cursor(0, row);
    write_blanks(visible_columns_);
}

void ChwScreen::set_message_line(const char* text) {
    if (!text) text = "";
    std::snprintf(message_, sizeof message_, "%s", text);
    if (host_) host_->set_message_line(text);
}

void ChwScreen::show_message(const char* text) {
    if (text && *text && beep_option && host_) host_->beep();
    set_message_line(text);
}

void ChwScreen::invalidate(const ChwRect& r) {
    if (host_) host_->invalidate(r, true);
}

}  // namespace prismel
