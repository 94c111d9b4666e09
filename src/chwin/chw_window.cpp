// The window stack: opening draws the window below inactive, closing erases
// the window and hands the top back to its parent.
#include <cstring>

#include "chwin/chw_screen.h"

namespace prismel {

namespace {

int clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

}  // namespace

ChwWindow* ChwScreen::create_window(ChwWindow* parent, const char* title, uint32_t style,
                                    int left, int top, int right, int bottom) {
    auto* w = new ChwWindow;
    w->parent = parent;
    w->style = style;
    // Kept inside the grid: every row and column a window draws must exist.
    w->left = clamp(left, 0, kColumns - 1);
    w->top = clamp(top, 0, kRows - 1);
    w->right = clamp(right, w->left, kColumns - 1);
    w->bottom = clamp(bottom, w->top, kRows - 1);
    w->width = w->right - w->left + 1;
    w->height = w->bottom - w->top + 1;
    if (title) std::strncpy(w->title, title, kTitleBytes);
    w->title[kTitleBytes] = '\0';
    if (!w->is_backdrop()) {
        const int extent = pixel_bottom(w) + 3 * font_size_ + 12;
        if (extent > stack_extent_) stack_extent_ = extent;
    }
    return w;
}

int ChwScreen::pixel_bottom(const ChwWindow* w) const {
    return (w->bottom + 1) * cell_height();
}

ChwRect ChwScreen::pixel_rect(const ChwWindow* w) const {
    const int cw = cell_width();
    const int ch = cell_height();
    return {w->left * cw, w->top * ch, (w->right + 1) * cw, (w->bottom + 1) * ch};
}

void ChwScreen::draw_title_bar(const ChwWindow* w) {
    set_colours(TitleFg, w->active ? TitleAct : TitleNeg);
    move_cursor(w->left, w->top);
    set_attribute(0x30);
    write_char(' ');
    set_attribute(0xA0);
    const int inner = w->width > 2 ? w->width - 2 : 0;
    if (inner > 0) writef("%-*.*s", inner, inner, w->title);
    set_attribute(0x60);
    write_char(' ');
    set_attribute(0);
}

void ChwScreen::draw_frame(const ChwWindow* w) {
    if ((w->style & 0xFF) != kStyleFramed) return;
    set_colours(WinFg, w->active ? FrameAct : FrameNeg);
    for (int r = w->top + 1; r < w->bottom; ++r) {
        move_cursor(w->left, r);
        set_attribute(0x410);
        write_char(' ');
        move_cursor(w->right, r);
        set_attribute(0x140);
        write_char(' ');
    }
    move_cursor(w->left, w->bottom);
    set_attribute(0x90);
    write_char(' ');
    set_attribute(0x280);
    write_blanks(w->width - 2);
    set_attribute(0xC0);
    write_char(' ');
    set_attribute(0);
}

void ChwScreen::show_window(ChwWindow* w) {
    if (!w) return;
    if (w->parent) draw_inactive(w->parent);
    w->active = 1;
    set_attribute(0);
    if (w->is_backdrop()) {
        set_colours(WinFg, ScreenBg);
        for (int r = w->top; r <= w->bottom; ++r) {
            move_cursor(w->left, r);
            write_blanks(w->width);
        }
        top_ = w;
        return;
    }
    draw_title_bar(w);
    // Blanking in ScreenBg first makes the whole interior repaint even where
    // it already held blanks in WinBg, so no remains of the window below show.
    const bool over_screen = w->parent && !w->parent->is_backdrop();
    for (int pass = over_screen ? 0 : 1; pass < 2; ++pass) {
        set_colours(WinFg, pass == 0 ? ScreenBg : WinBg);
        for (int r = w->top + 1; r < w->bottom; ++r) {
            move_cursor(w->left + 1, r);
            write_blanks(w->width - 2);
        }
    }
    draw_frame(w);
    if (w->has_footer() && w->bottom - 2 > w->top) {
        set_colours(WinHiBg, WinBg);
        set_attribute(kAttrBar);
        move_cursor(w->left + 1, w->bottom - 2);
        for (int i = 0; i < w->width - 2; ++i) write_char(' ');
        set_attribute(0);
    }
    top_ = w;
}

// The backdrop has neither title nor frame, so it only loses its active flag.
void ChwScreen::draw_inactive(ChwWindow* w) {
    if (!w) return;
    w->active = 0;
    if (w->is_backdrop()) return;
    draw_title_bar(w);
    draw_frame(w);
}

void ChwScreen::erase_window(const ChwWindow* w) {
    if (!w) return;
    set_attribute(0);
    set_colours(WinFg, ScreenBg);
    for (int r = w->top; r <= w->bottom; ++r) {
        move_cursor(w->left, r);
        write_blanks(w->width);
    }
}

void ChwScreen::close_window(ChwWindow* w, bool free) {
    if (!w) return;
    erase_window(w);
    ChwWindow* parent = w->parent;
    stack_extent_ = 0;
    if (parent) {
        invalidate(pixel_rect(w));
        if (!parent->is_backdrop()) stack_extent_ = pixel_bottom(parent) + 3 * font_size_ + 12;
    }
    top_ = parent;
    if (free) delete w;
}

void ChwScreen::move_cursor_in(const ChwWindow* w, int column_offset, int row_offset) {
    if (w) move_cursor(w->left + column_offset, w->top + row_offset);
}

void ChwScreen::clear_to_frame(const ChwWindow* w) {
    if (w) write_blanks(w->right - cursor_col_);
}

}  // namespace prismel
