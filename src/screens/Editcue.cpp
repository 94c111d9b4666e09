#include "screens/Editcue.h"

#include "chwin/chw_key_table.h"
#include "chwin/chw_keys.h"
#include "chwin/chw_list.h"
#include "chwin/chw_screen.h"
#include "chwin/reflist.h"
#include "data/show_data.h"
#include "engine/playback_engine.h"
#include "engine/show_edit.h"
#include "platform/text_codec.h"
#include "screens/Editchs.h"
#include "screens/Editscn.h"
#include "screens/editcue_cells.h"
#include "screens/editcue_draw.h"
#include "screens/editcue_list_edits.h"
#include "screens/output_toggle.h"
#include "screens/screen_ask.h"
#include "screens/screen_bar.h"
#include "screens/edited_tables.h"
#include "screens/screen_window.h"
#include "screens/table_write.h"

namespace prismel {

namespace {

constexpr int kLeft = 1;
constexpr int kTop = 0;
constexpr int kRight = 88;
constexpr int kRowsBelow = 4;      // bottom row = screen rows - 4
constexpr int kRowsOutsidePage = 5;  // title, status, labels, footer separator and line

struct EditcueState {
    ChwWindow* window = nullptr;
    ChwList cursor;
    OutputToggle output;
    bool redraw = false;  // set by every key and click; the table is drawn only then
};

EditcueState g;

const char* bar_labels() {
    static const char* labels = sj("ｼｰﾝ参|ﾁｪｲｽ参|$ｼｰﾝ編|ﾁｪｲｽ編|．挿入|．削除| ｺﾋﾟｰ| 出力|$$$");
    return labels;
}

CueCursor cue_cursor() {
    CueCursor c;
    c.window = g.window;
    c.cue = g.cursor.current_row();
    c.column = g.cursor.cursor_column;
    c.screen_row = g.window->top + kCueFirstRow + g.cursor.cursor_row;
    c.testing = g.output.testing();
    return c;
}

// F9: plays the cursor cue on stage, the show parked on the snapshot stack;
// on the cue already playing it gives the show back (or, when the show
// itself plays that cue, starts it again).
void test_cursor_cue() {
    const int cue = g.cursor.current_row();
    // The step sees the show or the test, never the moment between.
    ShowEdit edit;
    const bool playing = g_engine.fields().current_cue == cue;
    g.output.give_back();
    if (!playing)
        g.output.park_and_play([cue] { g_engine.go_to_cue(cue); });
    else if (g_engine.fields().current_cue == cue)
        g_engine.go_to_cue(cue);
}

void open_scene_editor() {
    editscn_set_scene(g_show.cues[g.cursor.current_row()].scene);
    editscn_open(g.window);
}

void open_chase_editor() {
    editchs_set_chase(g_show.cues[g.cursor.current_row()].chase);
    editchs_open(g.window);
}

void redraw_now() {
    g.redraw = true;
    editcue_draw();
}

void typed_digit(int key) {
    const int found = type_into_cell(cue_cursor(), static_cast<char>(key));
    if (found != kNone) g.cursor.go_to_row(found);
}

int close_editor() {
    editcue_close();
    return kResultRedrawTop;
}

void refresh() { take_list_result(cue_cursor()); }
void clear() { clear_cell(cue_cursor()); }
void nudge_by_wheel(int key) { nudge_cell(cue_cursor(), key == kKeyShiftWheelUp ? 1 : -1); }
void loop_mode() { set_cue_mode(cue_cursor(), 0); }
void stop_mode() { set_cue_mode(cue_cursor(), 1); }
void scene_list() { open_scene_list(g.window); }
void chase_list() { open_chase_list(g.window); }
void insert_point_cue() { insert_point_cue_asked(cue_cursor()); }
void delete_point_cue() { delete_point_cue_told(cue_cursor()); }
void copy_range() { copy_cue_range_asked(*g.window, redraw_now); }

// The function keys act whatever modifiers are held, as their caps show.
constexpr ChwKeyRow kKeys[] = {
    {kKeyRefresh, 0, kModsAny, nullptr, key_act<refresh>},
    {kKeyEsc, 0, kModsAny, "閉じる (キューを保存)", key_act<close_editor>},
    {kKey0, kKey9, kModsNone, "カーソルの欄に数字を入れる", key_act<typed_digit>},
    {'L', 0, kModsTyped, "モードをL (ループ)に", key_act<loop_mode>},
    {'S', 0, kModsTyped, "モードをS (停止)に", key_act<stop_mode>},
    {kKeyDelete, 0, kModsAny, "シーン／チェイスを外す", key_act<clear>},
    {kKeyShiftWheelUp, kKeyShiftWheelDown, kModsAny, "時間を0.1秒増やす／減らす", key_act<nudge_by_wheel>,
     "Shift+ﾎｲｰﾙ"},
    {kKeyF1, 0, kModsAny, "シーンの一覧", key_act<scene_list>},
    {kKeyF2, 0, kModsAny, "チェイスの一覧", key_act<chase_list>},
    {kKeyF4, 0, kModsAny, "キューのシーンを編集", key_act<open_scene_editor>},
    {kKeyF5, 0, kModsAny, "キューのチェイスを編集", key_act<open_chase_editor>},
    {kKeyF6, 0, kModsAny, "前にポイントキューを挿入", key_act<insert_point_cue>},
    {kKeyF7, 0, kModsAny, "ポイントキューを削除", key_act<delete_point_cue>},
    {kKeyF8, 0, kModsAny, "範囲をコピー", key_act<copy_range>},
    {kKeyF9, 0, kModsAny, "出力 (このキューを試す)", key_act<test_cursor_cue>},
};

constexpr ChwMouseRow kMouse[] = {
    {"クリック", "そのキューの欄にカーソル"},
};

constexpr ChwKeyTable kKeyTable{kKeys, kMouse, true};

}  // namespace

int editcue_open(ChwWindow* parent) {
    if (g.window || !g_screen) return 0;
    static const char* title = sj(" キューの編集");
    const int bottom = g_screen->visible_rows() - kRowsBelow;
    g.window = open_screen_window(parent, title, kStyleFramed | kStyleFooter, kLeft, kTop, kRight, bottom,
                                  {editcue_key, editcue_mouse, nullptr, editcue_draw, table_bit(ShowTable::kCues)});
    if (!g.window) return 0;
    g.window->key_table = &kKeyTable;
    g.cursor = ChwList(g.window, kCueColumns, bottom - kTop - kRowsOutsidePage, kCues, kCues * kCueColumns);
    g.output.note(g_engine);
    redraw_now();
    return 1;
}

int editcue_close() {
    if (!g.window) return 0;
    write_show_table(ShowTable::kCues);
    g.output.give_back();
    g.cursor = ChwList();
    close_screen_window(g.window);
    return 1;
}

bool editcue_is_open() { return g.window != nullptr; }
ChwWindow* editcue_window() { return g.window; }

int editcue_key(int key, int flags) {
    if (!g.window || !g_screen) return kResultHandled;
    say("");
    g.redraw = true;
    if (g.cursor.key(*g_screen, key, flags)) return kResultHandled;
    int result = kResultHandled;
    dispatch_key(kKeys, key, flags, result);
    // The timer draws on while the operator answers an input, so the table
    // may have been drawn before the answer reached it: once more.
    g.redraw = true;
    return result;
}

int editcue_mouse(int column, int row, int button, int) {
    if (!g.window || button != kButtonLeft) return 0;
    g.redraw = true;
    const int c = cue_column_at(column - g.window->left - 1);
    if (c >= 0) g.cursor.cursor_column = c;
    const int page_row = row - g.window->top - kCueFirstRow;
    if (page_row >= 0 && page_row < g.cursor.page_rows) g.cursor.go_to_row(g.cursor.top_row + page_row);
    return 0;
}

int editcue_draw() {
    if (!g.window || !g_screen) return 0;
    ChwScreen& s = *g_screen;
    // The engine's status moves on its own (a chase steps, a wait runs out):
    // it is written on every tick, which costs nothing while it stands still.
    draw_cue_output_status(s, *g.window);
    if (g.redraw) {
        g.redraw = false;
        draw_cue_table(s, *g.window, g.cursor, g_show);
    }
    keep_fkey_bar(s, bar_labels());
    return 0;
}

}  // namespace prismel
