#include "screens/Editfky.h"

#include <climits>
#include <cmath>
#include <string>

#include "chwin/chw_key_table.h"
#include "chwin/chw_keys.h"
#include "chwin/chw_list.h"
#include "chwin/chw_screen.h"
#include "chwin/reflist.h"
#include "data/show_data.h"
#include "engine/duration.h"
#include "engine/show_edit.h"
#include "platform/text_codec.h"
#include "screens/editfky_draw.h"
#include "screens/editfky_rules.h"
#include "screens/picked.h"
#include "screens/screen_ask.h"
#include "screens/edited_tables.h"
#include "screens/screen_window.h"
#include "screens/table_write.h"

namespace prismel {

namespace {

constexpr int kLeft = 4;
constexpr int kTop = 1;
constexpr int kRight = 60;
constexpr int kRowsBelow = 5;  // bottom row = screen rows - 5
constexpr int kFirstKeyRow = 2;

struct EditfkyState {
    ChwWindow* window = nullptr;
    ChwList cursor;
};
EditfkyState g;

FkeyRecord& current_record() { return g_show.fkeys[g.cursor.current_row()]; }

int cursor_screen_row() { return g.window->top + kFirstKeyRow + g.cursor.cursor_row; }

Ask ask_at(int column, int width, const std::string& preset) {
    return Ask(g.window->left + column, cursor_screen_row(), width).with_text(preset);
}

void ask_cue(FkeyRecord& r, const std::string& preset) {
    const RealAnswer typed = ask_real(ask_at(16, 5, preset), 0.0, HUGE_VAL);
    if (!typed.ok()) return;
    const int cue = fkey_cue_of_typed(g_show.cues, typed.value);
    if (cue == kNone) return say(sj("該当するｷｭｰNo.はありません"));
    ShowEdit edit;
    fkey_set_cue(r, cue, g_show.cues[cue].number);
}

void ask_scene(FkeyRecord& r, const std::string& preset) {
    const IntAnswer typed = ask_integer(ask_at(17, 3, preset).with_list(inp_mode::kSceneRef), 0, INT_MAX);
    if (typed.answer == Answer::kListRequested) {
        open_scene_list(g.window);
        return;
    }
    if (!typed.ok()) return;
    static const char* bad = sj("不正なシーン番号です");
    if (check_typed_scene(typed.value) != TypedRef::kTaken) {
        say(bad);
        return;
    }
    ShowEdit edit;
    fkey_set_scene(r, typed.value - 1);
}

void ask_chase(FkeyRecord& r, const std::string& preset) {
    const IntAnswer typed = ask_integer(ask_at(18, 3, preset).with_list(inp_mode::kChaseRef), 0, INT_MAX);
    if (typed.answer == Answer::kListRequested) {
        open_chase_list(g.window);
        return;
    }
    if (!typed.ok()) return;
    static const char* bad = sj("不正なチェイス番号です");
    static const char* empty = sj("サイズが０です");
    switch (check_typed_chase(g_show.chases, typed.value)) {
    case TypedRef::kOutOfRange: say(bad); return;
    case TypedRef::kEmptyChase: say(empty); return;
    case TypedRef::kTaken: {
        ShowEdit edit;
        fkey_set_chase(r, typed.value - 1);
        return;
    }
    }
}

void ask_duration(int16_t& field, int column, const std::string& preset) {
    const DurationAnswer typed = ask_seconds(ask_at(column, 4, preset));
    if (!typed.ok()) return;
    ShowEdit edit;
    field = static_cast<int16_t>(typed.value.value());
}

// The time under the cursor (a scene's cross time, a chase's rate or cross
// time) and the window column its input opens at; no field elsewhere.
struct TimeCell {
    int16_t* field = nullptr;
    int input_column = 0;
};

TimeCell time_cell(FkeyRecord& r, int column) {
    switch (fkey_type_of(r)) {
    case kFkeyScene:
        if (column == kFkeyColumnTime) return {&r.xtime, 50};
        break;
    case kFkeyChase:
        if (column == kFkeyColumnTime) return {&r.rate, 45};
        if (column == kFkeyColumnCross) return {&r.xtime, 50};
        break;
    default: break;
    }
    return {};
}

// A digit or Enter opens the input of the cell under the cursor, the digit
// already typed in it. Where no input belongs the message line says why.
void open_input(int key) {
    static const char* no_type = sj("先にF1～F3でタイプを選んでください");
    static const char* no_field = sj("この欄には入力できません");
    const bool digit = key >= kKey0 && key <= kKey9;
    const std::string preset = digit ? std::string(1, static_cast<char>(key)) : std::string();
    FkeyRecord& r = current_record();
    const int column = g.cursor.cursor_column;
    const bool chosen = fkey_target_of(r) != kNone;
    switch (fkey_type_of(r)) {
    case kFkeyCue: return ask_cue(r, preset);
    case kFkeyScene:
        if (column == kFkeyColumnTarget) return ask_scene(r, preset);
        break;
    case kFkeyChase:
        if (column == kFkeyColumnTarget) return ask_chase(r, preset);
        break;
    default: return say(no_type);
    }
    const TimeCell time = time_cell(r, column);
    if (time.field && digit && chosen) return ask_duration(*time.field, time.input_column, preset);
    say(no_field);
}

// Shift + wheel: the time under the cursor one nudge up or down.
void nudge(int direction) {
    int16_t* field = time_cell(current_record(), g.cursor.cursor_column).field;
    if (!field) return;
    ShowEdit edit;
    *field = static_cast<int16_t>(nudged(StoredDuration(*field), direction).value());
}

// The reference list opened from the input has closed: its pick, once.
void take_list_result() {
    if (!g_screen) return;
    const Picked p = take_picked(*g_screen);
    FkeyRecord& r = current_record();
    const FkeyType type = fkey_type_of(r);
    ShowEdit edit;
    if (p.is(kPickedScene) && type == kFkeyScene && valid_scene(p.index)) fkey_set_scene(r, p.index);
    // A chase without steps is taken from the list: the operator saw it there.
    if (p.is(kPickedChase) && type == kFkeyChase && valid_chase(p.index)) fkey_set_chase(r, p.index);
}

void choose_type(FkeyType type, int column) {
    {
        ShowEdit edit;
        fkey_choose_type(current_record(), type);
    }
    g.cursor.cursor_column = column;
}

void clear_record() {
    ShowEdit edit;
    fkey_clear(current_record());
}

void limit_column() { g.cursor.cursor_column = fkey_limited_column(current_record(), g.cursor.cursor_column); }

int close_editor() {
    editfky_close();
    return kResultRedrawTop;
}

void cue_type() { choose_type(kFkeyCue, kFkeyColumnTarget); }
void scene_type() { choose_type(kFkeyScene, kFkeyColumnTarget); }
void chase_type() { choose_type(kFkeyChase, kFkeyColumnTarget); }
void standby_type() { choose_type(kFkeyStandby, kFkeyColumnType); }
void nudge_by_wheel(int key) { nudge(key == kKeyShiftWheelUp ? 1 : -1); }

void clear_key() {
    clear_record();
    // The cursor stays on a cell the row still shows.
    limit_column();
}

// The keys act whatever modifiers are held.
constexpr ChwKeyRow kKeys[] = {
    {kKeyRefresh, 0, kModsAny, nullptr, key_act<take_list_result>},
    {kKeyEsc, 0, kModsAny, "閉じる (Fキーを保存)", key_act<close_editor>},
    {kKeyF1, 0, kModsAny, "キューのプリセットにする", key_act<cue_type>},
    {kKeyF2, 0, kModsAny, "シーンのプリセットにする", key_act<scene_type>},
    {kKeyF3, 0, kModsAny, "チェイスのプリセットにする", key_act<chase_type>},
    {kKeyF5, 0, kModsAny, "ｽﾀﾝﾊﾞｲのプリセットにする", key_act<standby_type>},
    {kKey0, kKey9, kModsAny, "欄に数字を入れる", key_act<open_input>},
    {kKeyEnter, 0, kModsAny, "欄の入力を始める", key_act<open_input>},
    {kKeyDelete, 0, kModsAny, "プリセットを消す", key_act<clear_key>},
    {kKeyShiftWheelUp, kKeyShiftWheelDown, kModsAny, "時間を0.1秒増やす／減らす", key_act<nudge_by_wheel>,
     "Shift+ﾎｲｰﾙ"},
};

constexpr ChwMouseRow kMouse[] = {
    {"クリック", "そのキーの欄にカーソル"},
};

constexpr ChwKeyTable kKeyTable{kKeys, kMouse, true};

}  // namespace

int editfky_open(ChwWindow* parent) {
    if (g.window || !g_screen) return 0;
    static const char* title = sj(" ファンクションキーの設定");
    const int bottom = g_screen->visible_rows() - kRowsBelow;
    g.window = open_screen_window(parent, title, kStyleFramed, kLeft, kTop, kRight, bottom,
                                  {editfky_key, editfky_mouse, nullptr, editfky_draw, table_bit(ShowTable::kFkeys)});
    if (!g.window) return 0;
    g.window->key_table = &kKeyTable;
    g.cursor = ChwList(g.window, kFkeyColumns, bottom - kTop - 2, kFkeys, kFkeys * kFkeyColumns);
    editfky_draw();
    return 1;
}

int editfky_close() {
    if (!g.window) return 0;
    write_show_table(ShowTable::kFkeys);
    g.cursor = ChwList();
    close_screen_window(g.window);
    return 1;
}

bool editfky_is_open() { return g.window != nullptr; }
ChwWindow* editfky_window() { return g.window; }

int editfky_key(int key, int flags) {
    if (!g.window || !g_screen) return kResultHandled;
    say("");
    if (g.cursor.key(*g_screen, key, flags)) {
        limit_column();
        return kResultHandled;
    }
    int result = kResultHandled;
    dispatch_key(kKeys, key, flags, result);
    return result;
}

int editfky_mouse(int column, int row, int button, int) {
    if (!g.window || button != kButtonLeft) return 0;
    const ChwWindow& w = *g.window;
    if (column < w.left || column > w.right || row < w.top + kFirstKeyRow || row > w.bottom - 1) return 0;
    const int k = row - w.top - kFirstKeyRow + g.cursor.top_row;
    if (k < 0 || k >= kFkeys) return 0;
    g.cursor.go_to_row(k);
    const FkeyRecord& r = current_record();
    const int picked = fkey_click_column(r, column - w.left - 1, g.cursor.cursor_column);
    g.cursor.cursor_column = fkey_clamped_click(r, picked);
    return 0;
}

int editfky_draw() {
    if (!g.window || !g_screen) return 0;
    // The row may have lost the cell under the cursor without a key of this
    // screen (an undo): the cursor goes back to a cell the row has.
    g.cursor.cursor_column = fkey_clamped_click(current_record(), g.cursor.cursor_column);
    editfky_draw_window(*g_screen, *g.window, g.cursor, g_show.fkeys);
    return 0;
}

}  // namespace prismel
