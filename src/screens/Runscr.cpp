#include "screens/Runscr.h"

#include <cmath>

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

int shifted_function_key(int key) {
    switch (key) {
    case kKeyF1: g_engine.set_call_mode(0); break;
    case kKeyF2: g_engine.set_call_mode(1); break;
    case kKeyF5: set_cross_time(); break;
    case kKeyF6: jump(sj("ｼﾞｬﾝﾌﾟ先 ｷｭｰNo.= "), g_window->left + 2, g_window->bottom - 1); break;
    case kKeyF7: preview_step(-1); break;
    case kKeyF8: preview_step(1); break;
    case kKeyF10: play(PlaybackAction::Kind::again); break;
    default: break;
    }
    return kResultHandled;
}

void page_step(int dir) {
    EngineFields f = g_engine.fields();
    if (f.call_mode != 0) return;
    int page = f.scene_page + dir;
    if (page < 0 || page > kLastPage) return;
    g_engine.set_scene_page(page);
}

}  // namespace

RunscrSeams& runscr_seams() { return g_seams; }

int runscr_open(ChwWindow* parent) {
    if (g_window || !g_screen) return 0;
    static const char* title = sj("実行状態");
    const int bottom = g_screen->visible_rows() - kRowsBelow;
    runscr_draw_reset(bottom - kTop - 16);
    g_window = open_screen_window(parent, title, kStyleFramed | kStyleFooter, kLeft, kTop, kRight, bottom,
                                  {runscr_key, runscr_mouse, nullptr, runscr_draw});
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
    const bool shift = has_shift(flags);
    switch (key) {
    case kKeyEnter: play(PlaybackAction::Kind::go); break;
    case kKeyBack: play(PlaybackAction::Kind::back); break;
    case kKeyDelete: play(PlaybackAction::Kind::again); break;
    case kKeyInsert: jump(nullptr, g_window->left + 2, g_window->top + 18); break;
    case kKeyHome:
        if (!shift) g_engine.set_call_mode(g_engine.fields().call_mode == 0 ? 1 : 0);
        break;
    case kKeyUp: page_step(-1); break;
    case kKeyDown: page_step(1); break;
    case kKeyLeft:
        if (shift) preview_step(-1);
        break;
    case kKeyRight:
        if (shift) preview_step(1);
        break;
    case kKeyShift:
        // Delivered on press (Shift among the flags) and on release (not).
        if (!shift) g_engine.set_show_running();
        break;
    case kKeyEsc:
        if (!shift) {
            runscr_close();
            return kResultRedrawTop;
        }
        if (g_seams.show_output_monitor) g_seams.show_output_monitor();
        break;
    default:
        if (key >= kKeyF1 && key <= kKeyF10) {
            if (shift) return shifted_function_key(key);
            if (!has_alt(flags) && !has_ctrl(flags)) function_key(key - kKeyF1);
        }
        break;
    }
    return kResultHandled;
}

int runscr_mouse(int, int, int, int) { return 0; }

int runscr_draw() {
    if (!g_window || !g_screen) return 0;
    const bool shift = input_state().shift_down();
    runscr_draw_window(*g_screen, *g_window, g_engine.fields(), g_engine.hold_count(), shift);
    return 0;
}

}  // namespace prismel
