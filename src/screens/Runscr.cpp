#include "screens/Runscr.h"

#include <cmath>

#include "chwin/chw_key_table.h"
#include "chwin/chw_keys.h"
#include "chwin/chw_screen.h"
#include "data/cue_number.h"
#include "data/show_data.h"
#include "engine/playback_action.h"
#include "engine/playback_engine.h"
#include "platform/input_state.h"
#include "platform/text_codec.h"
#include "screens/runscr_draw.h"
#include "screens/runscr_seams.h"
#include "screens/screen_ask.h"
#include "screens/screen_window.h"

namespace prismel {

namespace {

constexpr int kLeft = 2;
constexpr int kTop = 0;
constexpr int kRight = 84;
constexpr int kRowsBelow = 5;  // bottom row = screen rows - 5
constexpr int kLastPage = 19;

ChwWindow* g_window = nullptr;

RunscrSeams g_seams;
int g_fkey_time_memory = 0;

// Every key that changes what is played is an action, applied as any
// remote's is.
void play(PlaybackAction::Kind kind, int number = 0) {
    if (const char* why = outcome_message(apply_playback_action(g_engine, g_show, PlaybackAction::of(kind, number))))
        say(why);
}

void function_key(int k) {
    if (g_engine.fields().call_mode == 0)
        play(PlaybackAction::Kind::scene, g_engine.fields().scene_page * 10 + k);
    else
        play(PlaybackAction::Kind::fkey, k);
}

void jump(const char* prompt, int column, int row) {
    const RealAnswer typed = ask_real(Ask(column, row, 5, prompt), 0.0, HUGE_VAL);
    if (!typed.ok()) return;
    play(PlaybackAction::Kind::cue, cue_tenths_of(typed.value));
}

void set_cross_time() {
    static const char* prompt = sj("シーン呼び出しのクロス時間 =");
    const DurationAnswer typed = ask_seconds(Ask(g_window->left + 2, g_window->bottom - 1, 4, prompt));
    if (typed.ok()) g_engine.set_scene_call_xtime(typed.value);
}

// Preview of the used cue before (dir < 0) or after the one previewed; a
// preview starts from the current cue.
void preview_step(int dir) {
    EngineFields f = g_engine.fields();
    int from = f.show_running ? f.current_cue : f.preview_cue;
    if (!valid_cue(from)) from = kNone;
    int to = dir < 0 ? g_show.cues.previous_used(from) : g_show.cues.next_used(from);
    g_engine.set_preview_cue(to);
}

void page_step(int dir) {
    static const char* scene_only = sj("ページはシーン呼び出しの時だけです");
    static const char* first = sj("最初のページです");
    static const char* last = sj("最後のページです");
    EngineFields f = g_engine.fields();
    if (f.call_mode != 0) return say(scene_only);
    int page = f.scene_page + dir;
    if (page < 0) return say(first);
    if (page > kLastPage) return say(last);
    g_engine.set_scene_page(page);
}

// --- the keys

void go() { play(PlaybackAction::Kind::go); }
void back() { play(PlaybackAction::Kind::back); }
void again() { play(PlaybackAction::Kind::again); }
void jump_by_insert() { jump(nullptr, g_window->left + 2, g_window->top + 18); }
void jump_by_f6() { jump(sj("ｼﾞｬﾝﾌﾟ先 ｷｭｰNo.= "), g_window->left + 2, g_window->bottom - 1); }
void toggle_call_mode() { g_engine.set_call_mode(g_engine.fields().call_mode == 0 ? 1 : 0); }
void scene_call_mode() { g_engine.set_call_mode(0); }
void preset_call_mode() { g_engine.set_call_mode(1); }
void page_up() { page_step(-1); }
void page_down() { page_step(1); }
void preview_before() { preview_step(-1); }
void preview_after() { preview_step(1); }
void preview_hint() { say(sj("前後のキューの確認はShift+←／→です")); }
void back_to_running() { g_engine.set_show_running(); }
void plain_function_key(int key) { function_key(key - kKeyF1); }

int close_screen() {
    runscr_close();
    return kResultRedrawTop;
}

void toggle_monitor() {
    if (g_seams.toggle_output_monitor) g_seams.toggle_output_monitor();
}

// Keys pressed with Shift act whatever else is held; Shift itself is
// delivered on press (Shift among the flags) and on release (not).
constexpr ChwKeyRow kKeys[] = {
    {kKeyEnter, 0, kModsAny, "GO: 次のキューへ", key_act<go>},
    {kKeyBack, 0, kModsAny, "BACK: 前のキューへ", key_act<back>},
    {kKeyDelete, 0, kModsAny, "今のキューをもう一度", key_act<again>},
    {kKeyF10, 0, kModsShiftHeld, "今のキューをもう一度", key_act<again>},
    {kKeyInsert, 0, kModsAny, "ｷｭｰNo.を入れてジャンプ", key_act<jump_by_insert>},
    {kKeyF6, 0, kModsShiftHeld, "ｷｭｰNo.を入れてジャンプ", key_act<jump_by_f6>},
    {kKeyF1, kKeyF10, kModsNone, "シーン／プリセット呼び出し", key_act<plain_function_key>},
    {kKeyHome, 0, kModsNoShift, "ｼｰﾝ呼出とﾌﾟﾘｾｯﾄ呼出の切替", key_act<toggle_call_mode>},
    {kKeyF1, 0, kModsShiftHeld, "シーン呼び出しにする", key_act<scene_call_mode>},
    {kKeyF2, 0, kModsShiftHeld, "プリセット呼び出しにする", key_act<preset_call_mode>},
    {kKeyUp, 0, kModsAny, "シーンの前／次のページ", key_act<page_up>},
    {kKeyDown, 0, kModsAny, "シーンの前／次のページ", key_act<page_down>},
    {kKeyF5, 0, kModsShiftHeld, "シーン呼び出しのクロス時間", key_act<set_cross_time>},
    {kKeyLeft, 0, kModsShiftHeld, "前のキューを確認", key_act<preview_before>},
    {kKeyF7, 0, kModsShiftHeld, "前のキューを確認", key_act<preview_before>},
    {kKeyRight, 0, kModsShiftHeld, "次のキューを確認", key_act<preview_after>},
    {kKeyF8, 0, kModsShiftHeld, "次のキューを確認", key_act<preview_after>},
    {kKeyLeft, 0, kModsNoShift, "(確認はShiftと一緒に)", key_act<preview_hint>},
    {kKeyRight, 0, kModsNoShift, "(確認はShiftと一緒に)", key_act<preview_hint>},
    {kKeyShift, 0, kModsShiftHeld, "補助メニューを表示", nullptr, "Shiftを押す"},
    {kKeyShift, 0, kModsNoShift, "確認から実行表示に戻る", key_act<back_to_running>, "Shiftを離す"},
    {kKeyEsc, 0, kModsNoShift, "メインメニューに戻る", key_act<close_screen>},
    {kKeyEsc, 0, kModsShiftHeld, "出力モニタの表示／消去", key_act<toggle_monitor>},
};

constexpr ChwMouseRow kMouse[] = {
    {"ｸﾘｯｸ／ﾎｲｰﾙ", "ｵﾌﾟｼｮﾝでﾏｳｽ有効の時だけ"},
    {"ﾎｲｰﾙ", "↑↓と同じ"},
};

constexpr ChwKeyTable kKeyTable{kKeys, kMouse};

}  // namespace

RunscrSeams& runscr_seams() { return g_seams; }

int runscr_open(ChwWindow* parent) {
    if (g_window || !g_screen) return 0;
    static const char* title = sj("実行状態");
    const int bottom = g_screen->visible_rows() - kRowsBelow;
    runscr_draw_reset(bottom - kTop - 16);
    g_window = open_screen_window(parent, title, kStyleFramed | kStyleFooter, kLeft, kTop, kRight, bottom,
                                  {runscr_key, runscr_mouse, nullptr, runscr_draw});
    g_window->key_table = &kKeyTable;
    int fkey_time = g_seams.read_fkey_time ? g_seams.read_fkey_time() : g_fkey_time_memory;
    g_engine.set_scene_call_xtime(StoredDuration(fkey_time));
    runscr_draw();
    bool mouse = g_seams.run_mouse && g_seams.run_mouse();
    if (!mouse && g_seams.set_no_entry_pointer) g_seams.set_no_entry_pointer(true);
    return 1;
}

int runscr_close() {
    if (!g_window) return 0;
    int fkey_time = g_engine.fields().scene_call_xtime.value();
    if (g_seams.write_fkey_time)
        g_seams.write_fkey_time(fkey_time);
    else
        g_fkey_time_memory = fkey_time;
    if (g_seams.set_no_entry_pointer) g_seams.set_no_entry_pointer(false);
    close_screen_window(g_window);
    return 1;
}

bool runscr_is_open() { return g_window != nullptr; }
ChwWindow* runscr_window() { return g_window; }

int runscr_key(int key, int flags) {
    if (!g_window) return kResultHandled;
    say("");
    int result = kResultHandled;
    dispatch_key(kKeys, key, flags, result);
    return result;
}

int runscr_mouse(int, int, int, int) { return 0; }

int runscr_draw() {
    if (!g_window || !g_screen) return 0;
    const bool shift = input_state().shift_down();
    runscr_draw_window(*g_screen, *g_window, g_engine.fields(), g_engine.hold_count(), shift);
    return 0;
}

}  // namespace prismel
