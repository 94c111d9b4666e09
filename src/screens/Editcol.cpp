#include "screens/Editcol.h"

#include <string>

#include "chwin/chw_key_table.h"
#include "chwin/chw_keys.h"
#include "chwin/chw_list.h"
#include "chwin/chw_screen.h"
#include "data/show_data.h"
#include "engine/playback_engine.h"
#include "engine/show_edit.h"
#include "platform/input_state.h"
#include "platform/text_codec.h"
#include "screens/editcol_draw.h"
#include "screens/editcol_rules.h"
#include "screens/screen_ask.h"
#include "screens/edited_tables.h"
#include "screens/screen_window.h"
#include "screens/table_write.h"

namespace prismel {

namespace {

constexpr int kLeft = 6;
constexpr int kTop = 1;
constexpr int kRight = 42;
constexpr int kRowsBelow = 5;  // bottom row = screen rows - 5

struct EditcolState {
    ChwWindow* window = nullptr;
    ChwList cursor;  // 100 rows of number, name, Y, M, C
};

EditcolState g;

int cursor_colour() { return kFirstUserColour + g.cursor.current_row(); }
int cursor_screen_row() { return g.window->top + kEditcolFirstRow + g.cursor.cursor_row; }

// Every write of a colour record: the step reads the table on every frame.
// A name read from a damaged file is made whole by the same edit.
template <class Write>
void edit_colour(int colour, Write write) {
    ShowEdit edit;
    ColourRecord& r = g_show.colours.rec[colour];
    write(r);
    repair_colour_name(r);
}

void toggle_preview() {
    const int colour = cursor_colour();
    g_engine.set_colour_preview(g_engine.fields().colour_preview == colour ? kNone : colour);
}

// The input over the cursor row's field at a window column, the character
// typed already in it.
Ask typed_at(int column, int width, char typed) {
    return Ask(g.window->left + column, cursor_screen_row(), width).with_text(std::string(1, typed));
}

void ask_number(char typed) {
    const IntAnswer a = ask_integer(typed_at(kEditcolNumberAt, 3, typed), kFirstUserColour + 1, kColours);
    if (a.ok()) g.cursor.go_to_row(a.value - 1 - kFirstUserColour);
}

void ask_name(char typed) {
    const int colour = cursor_colour();
    const TextAnswer a = ask_text(typed_at(kEditcolNameAt, kColourNameInput, typed));
    if (a.ok()) edit_colour(colour, [&](ColourRecord& r) { set_colour_name(r, a.text); });
}

void ask_level(char typed) {
    const int colour = cursor_colour();
    const int column = g.cursor.cursor_column;
    const IntAnswer a = ask_integer(typed_at(kEditcolLevelAt[column - kEditcolY], 3, typed), 0, 255);
    if (a.ok()) edit_colour(colour, [&](ColourRecord& r) { *level_field(r, column) = static_cast<uint8_t>(a.value); });
}

// A level at 0 or 255 says so once per press; the repeat of a held cap says
// it again without another beep.
const char* g_limit_said = nullptr;
const char* g_limit_before = nullptr;

void say_limit(const char* text) {
    if (g_limit_before == text && g_screen)
        g_screen->set_message_line(text);
    else
        say(text);
    g_limit_said = text;
}

void step_key(int key) {
    static const char* bottom = sj("これ以上下げられません (0)");
    static const char* top = sj("これ以上上げられません (255)");
    const int step = level_step_of_key(key);
    const int column = g.cursor.cursor_column;
    if (!is_level_column(column)) return;
    bool moved = false;
    edit_colour(cursor_colour(), [&](ColourRecord& r) {
        uint8_t* level = level_field(r, column);
        const uint8_t now = static_cast<uint8_t>(stepped_level(*level, step));
        moved = now != *level;
        *level = now;
    });
    if (!moved) say_limit(step < 0 ? bottom : top);
}

void typed_key(int key, int flags) {
    static const char* digits_only = sj("この欄は数字で入れます");
    const char c = typed_character(key, has_shift(flags), input_state().caps_lock_on());
    const int column = g.cursor.cursor_column;
    if (!c) return;
    if (!column_takes(column, c)) return say(digits_only);
    if (column == kEditcolNumber)
        ask_number(c);
    else if (column == kEditcolName)
        ask_name(c);
    else
        ask_level(c);
}

int close_editor() {
    editcol_close();
    return kResultRedrawTop;
}

void refuse_delete() { say(sj("ユーザ色は消去できません")); }

constexpr ChwKeyRow kKeys[] = {
    {kKeyEsc, 0, kModsAny, "閉じる (ユーザ色を保存)", key_act<close_editor>},
    {kKeyF5, 0, kModsAny, "値を1下げる", key_act<step_key>},
    {kKeyShiftWheelDown, 0, kModsAny, "値を1下げる", key_act<step_key>},
    {kKeyF6, 0, kModsAny, "値を1上げる", key_act<step_key>},
    {kKeyShiftWheelUp, 0, kModsAny, "値を1上げる", key_act<step_key>},
    {kKeyF9, 0, kModsAny, "出力 (全灯体をこの色に)", key_act<toggle_preview>},
    {kKey0, kKey9, kModsTyped, "欄に数字を入れる", key_act<typed_key>},
    {kKeyA, kKeyZ, kModsTyped, "名前の欄に名前を入れる", key_act<typed_key>},
    {kKeyDelete, 0, kModsAny, "(消去はありません)", key_act<refuse_delete>},
};

constexpr ChwMouseRow kMouse[] = {
    {"クリック", "その色の欄にカーソル"},
    {"F5/F6を押し続け", "値を続けて下げる／上げる"},
};

constexpr ChwKeyTable kKeyTable{kKeys, kMouse, true};

}  // namespace

int editcol_open(ChwWindow* parent) {
    if (g.window || !g_screen) return 0;
    static const char* title = sj(" ユーザ色の編集");
    const int bottom = g_screen->visible_rows() - kRowsBelow;
    g.window = open_screen_window(parent, title, kStyleFramed, kLeft, kTop, kRight, bottom,
                                  {editcol_key, editcol_mouse, nullptr, editcol_draw, table_bit(ShowTable::kColours)});
    if (!g.window) return 0;
    g.window->key_table = &kKeyTable;
    g.window->repeat_held_caps = true;
    g.cursor = ChwList(g.window, kEditcolColumns, bottom - kTop - 3, kUserColours, kUserColours * kEditcolColumns);
    editcol_draw();
    return 1;
}

int editcol_close() {
    if (!g.window) return 0;
    g_engine.set_colour_preview(kNone);
    write_show_table(ShowTable::kColours);
    g.cursor = ChwList();
    close_screen_window(g.window);
    return 1;
}

bool editcol_is_open() { return g.window != nullptr; }
ChwWindow* editcol_window() { return g.window; }

int editcol_key(int key, int flags) {
    if (!g.window || !g_screen) return kResultHandled;
    say("");
    g_limit_before = g_limit_said;
    g_limit_said = nullptr;
    int result = kResultHandled;
    if (!g.cursor.key(*g_screen, key, flags)) dispatch_key(kKeys, key, flags, result);
    if (result == kResultRedrawTop) return result;  // closed
    editcol_draw();
    return kResultHandled;
}

int editcol_mouse(int column, int row, int button, int) {
    if (!g.window || button != kButtonLeft) return 0;
    const int picked = column_of_click(column - g.window->left - 1);
    if (picked >= 0) g.cursor.cursor_column = picked;
    const int page_row = row - g.window->top - kEditcolFirstRow;
    if (page_row >= 0 && page_row < g.cursor.page_rows) g.cursor.go_to_row(g.cursor.top_row + page_row);
    return 0;
}

int editcol_draw() {
    if (!g.window || !g_screen) return 0;
    editcol_draw_window(*g_screen, *g.window, g.cursor, g_engine.fields(), g_show);
    return 0;
}

}  // namespace prismel
