#pragma once
// The character screen: a fixed 128 x 64 grid of Shift-JIS cells with
// colours and drawing attributes, the window stack on it, the function-key
// bar and the message line. Screens write strings at a cursor; every write
// compares each cell with what it holds and invalidates only the pixels from
// the first changed cell to the end of the text, so rewriting a whole window
// on every tick costs next to nothing.
#include <cstdint>

#include "chwin/chw_colours.h"
#include "chwin/chw_geometry.h"
#include "chwin/chw_host.h"
#include "chwin/chw_window.h"
#include "data/message_line.h"

namespace prismel {

struct ChwCell {
    uint8_t ch = ' ';
    uint32_t fg = 0;
    uint32_t bg = 0;
    uint32_t attr = 0;
    bool operator==(const ChwCell&) const = default;
};

// Cell attribute bits (painting: chw_painter.h).
constexpr uint32_t kAttrBar = 0x1;
constexpr uint32_t kAttrBoxed = 4;  // as the writer's attribute only: box the string
constexpr uint32_t kAttrUnderline = 0x8;
constexpr uint32_t kAttrEdgeLeft = 0x10;
constexpr uint32_t kAttrEdgeTop = 0x20;
constexpr uint32_t kAttrEdgeRight = 0x40;
constexpr uint32_t kAttrEdgeBottom = 0x80;
constexpr uint32_t kAttrOuterLeft = 0x100;
constexpr uint32_t kAttrOuterTop = 0x200;
constexpr uint32_t kAttrOuterRight = 0x400;
constexpr uint32_t kAttrOuterBottom = 0x800;

// Frame selection by dragging (used by the host and the scene editor).
struct ChwRubberBand {
    ChwRect rect;
    int start_x = 0, start_y = 0;
    uint8_t active = 0;
    uint8_t suppress_next_mouse = 0;
    int lock_count = 1;  // dragging is possible only at 0
};

class ChwScreen : public MessageLine {
public:
    static constexpr int kColumns = 128;
    static constexpr int kRows = 64;
    static constexpr int kLabelBytes = 128;
    static constexpr int kDefaultFontSize = 20;

    // Blank grid in WinFg on ScreenBg, default scheme, font size 20, no bar.
    explicit ChwScreen(ChwHost* host = nullptr);
    ChwScreen(const ChwScreen&) = delete;
    ChwScreen& operator=(const ChwScreen&) = delete;

    void set_host(ChwHost* host) { host_ = host; }
    ChwHost* host() const { return host_; }

    // --- layout ---
    int font_size() const { return font_size_; }
    void set_font_size(int px);  // taken as given; limit it first (chw_scheme_io.h)
    int cell_width() const { return font_size_ / 2; }
    int cell_height() const { return font_size_ + 4; }
    int visible_columns() const { return visible_columns_; }
    int visible_rows() const { return visible_rows_; }
    void set_visible(int columns, int rows);  // limited to 92-128 and 29-64
    int fkey_row() const { return fkey_row_; }  // -1 until laid out
    void set_fkey_row(int row) { fkey_row_ = row; }

    const ChwCell& cell(int column, int row) const { return grid_[row][column]; }

    // --- colours and attribute for the next writes ---
    ChwColourScheme& scheme() { return scheme_; }
    const ChwColourScheme& scheme() const { return scheme_; }
    uint32_t colour_of(int index) const { return scheme_.of(index); }
    void set_fg(int index) { fg_ = scheme_.of(index); }
    void set_bg(int index) { bg_ = scheme_.of(index); }
    void set_colours(int fg, int bg) { set_fg(fg); set_bg(bg); }
    void set_normal_colours() { set_colours(WinFg, WinBg); }
    void set_dark_text(int bg) { set_colours(WinNgFg, bg); }
    // A colour that is not in the scheme (a swatch of a show colour).
    void set_fg_value(uint32_t colour) { fg_ = colour; }
    void set_bg_value(uint32_t colour) { bg_ = colour; }
    void set_attribute(uint32_t a) { attr_ = a; }
    uint32_t attribute() const { return attr_; }
    uint32_t fg_value() const { return fg_; }
    uint32_t bg_value() const { return bg_; }

    // --- writer ---
    // A coordinate at or beyond the grid keeps the old value; a negative one
    // becomes 0, so no write ever lands left of the grid.
    void move_cursor(int column, int row);
    int cursor_column() const { return cursor_col_; }
    int cursor_row() const { return cursor_row_; }
    void write(const char* text);  // CP932, zero-terminated; nullptr writes nothing
    void write(const char* text, int n);
    void write_char(char c) { write(&c, 1); }
    // One printf conversion and its argument ("%-20s", "%3d", "%4.1f").
    void writef(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Level gauge glyph (0xF0 0x40 + level div 16), in the colour of index,
    // or blue for the lowest step. The foreground stays set to that colour.
    void write_level_gauge(int level, int colour_index);
    void write_two_level_gauge(int level_a, int level_b);
    // Blanks across the visible columns of a row (the caption row).
    void clear_row(int row);

    // --- function-key bar ---
    // Labels: up to 12 slots, "|" ends a label, "$" an empty slot, "-" marks
    // a label shown but not available (chw_fkey_bar.h). nullptr = none.
    void draw_fkey_bar(const char* labels);
    const char* fkey_labels() const { return labels_; }
    const char* previous_fkey_labels() const { return previous_labels_; }
    // Draws the cap of F1-F12 as pressed (other codes: nothing); release ends it.
    void press_fkey(int vk);
    void release_fkey();
    const ChwRect& pressed_key_rect() const { return pressed_rect_; }

    // --- message line ---
    void show_message(const char* text);  // beeps when the beep option is set
    void set_message_line(const char* text);
    const char* message_line() const { return message_; }  // the last text set
    // The show data's reports: an error (beep) goes through show_message.
    void set(const char* cp932, bool beep) override { beep ? show_message(cp932) : set_message_line(cp932); }
    bool beep_option = false;

    // --- window stack ---
    // Not shown yet, no handlers. The caller owns it until close_window frees it.
    ChwWindow* create_window(ChwWindow* parent, const char* title, uint32_t style,
                             int left, int top, int right, int bottom);
    void show_window(ChwWindow* w);  // draws it active; it becomes the top window
    void draw_inactive(ChwWindow* w);
    void erase_window(const ChwWindow* w);
    // Erases it; top window := its parent; deletes it when free is set. The
    // parent is not redrawn: the closing handler returns kResultWindowClosed.
    void close_window(ChwWindow* w, bool free);
    void move_cursor_in(const ChwWindow* w, int column_offset, int row_offset);
    void clear_to_frame(const ChwWindow* w);
    ChwRect pixel_rect(const ChwWindow* w) const;
    ChwWindow* top_window() const { return top_; }
    // Pixel bottom of the lowest framed window + three rows; 0 with only the backdrop.
    int stack_extent() const { return stack_extent_; }
    int picker_result = kPickedNone;

    ChwRubberBand rubber_band;

private:
    void write_blanks(int n);
    void draw_title_bar(const ChwWindow* w);
    void draw_frame(const ChwWindow* w);
    int pixel_bottom(const ChwWindow* w) const;
    void invalidate(const ChwRect& r);

    ChwHost* host_ = nullptr;
    ChwCell grid_[kRows][kColumns];
    ChwColourScheme scheme_;
    int font_size_ = kDefaultFontSize;
    int visible_columns_ = kColumns;
    int visible_rows_ = kRows;
    int fkey_row_ = -1;
    int cursor_col_ = 0;
    int cursor_row_ = 0;
    uint32_t attr_ = 0;
    uint32_t fg_ = 0;
    uint32_t bg_ = 0;
    char labels_[kLabelBytes + 1] = {};
    char previous_labels_[kLabelBytes + 1] = {};
    char message_[256] = {};
    ChwRect pressed_rect_;
    ChwWindow* top_ = nullptr;
    int stack_extent_ = 0;
};

// The screen of the running console: set by the main window when it creates
// the screen, cleared when it destroys it.
extern ChwScreen* g_screen;

}  // namespace prismel
