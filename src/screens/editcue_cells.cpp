#include "screens/editcue_cells.h"

#include <cmath>
#include <string>

#include "chwin/chw_screen.h"
#include "chwin/reflist.h"
#include "data/cue_number.h"
#include "data/show_data.h"
#include "engine/show_edit.h"
#include "platform/text_codec.h"
#include "screens/editcue_draw.h"
#include "screens/picked.h"
#include "screens/screen_ask.h"

namespace prismel {

namespace {

enum Column { kNumber, kWait, kScene, kSceneCross, kChase, kRate, kChaseCross, kMode };

CueRecord& cue_of(const CueCursor& c) { return g_show.cues[c.cue]; }

Ask cell_ask(const CueCursor& c, int width, char digit) {
    return Ask(c.window->left + kCueCellX[c.column], c.screen_row, width).with_text(std::string(1, digit));
}

// The time field a column shows, or none.
int16_t* time_field(CueRecord& q, int column) {
    switch (column) {
    case kWait: return &q.wait;
    case kSceneCross: return &q.scene_xtime;
    case kRate: return &q.rate;
    case kChaseCross: return &q.chase_xtime;
    default: return nullptr;
    }
}

// A new time for the cell; while the editor's test runs the cue's chase, a
// new rate or chase cross time reaches the running chase at once.
void set_time(const CueCursor& c, StoredDuration d) {
    ShowEdit edit;
    CueRecord& q = cue_of(c);
    int16_t* field = time_field(q, c.column);
    if (!field || *field == d.value()) return;
    *field = static_cast<int16_t>(d.value());
    if (!c.testing || !valid_chase(q.chase)) return;
    if (c.column == kRate) g_engine.set_chase_rate(q.chase, d);
    if (c.column == kChaseCross) g_engine.set_chase_cross_time(q.chase, d);
}

int find_typed_cue(const CueCursor& c, char digit) {
    const RealAnswer typed = ask_real(cell_ask(c, 5, digit), 0.0, HUGE_VAL);
    if (!typed.ok()) return kNone;
    // A number past the 16-bit field names no cue.
    const int tenths = cue_tenths_of(typed.value);
    if (tenths < 0) return kNone;
    int at = g_show.cues.find_number(tenths);
    if (at == kNone) at = g_show.cues.find_number(tenths / 10 * 10);
    if (at == kNone) say(sj("該当するｷｭｰNo.はありません"));
    return at;
}

void type_time(const CueCursor& c, char digit) {
    static const char* bad = sj("不正な値です");
    const DurationAnswer typed = ask_seconds(cell_ask(c, 4, digit));
    if (!typed.ok()) return;
    // A rate of 0 would hold the chase on its step for ever.
    if (c.column == kRate && typed.value.value() == 0) {
        say(bad);
        return;
    }
    set_time(c, typed.value);
}

void type_scene(const CueCursor& c, char digit) {
    const IntAnswer typed = ask_integer(cell_ask(c, 3, digit).with_list(inp_mode::kSceneRef), 1, kScenes);
    if (typed.answer == Answer::kListRequested) open_scene_list(c.window);
    if (!typed.ok()) return;
    ShowEdit edit;
    cue_of(c).scene = static_cast<int16_t>(typed.value - 1);
}

void type_chase(const CueCursor& c, char digit) {
    const IntAnswer typed = ask_integer(cell_ask(c, 2, digit).with_list(inp_mode::kChaseRef), 1, kChases);
    if (typed.answer == Answer::kListRequested) open_chase_list(c.window);
    if (!typed.ok()) return;
    ShowEdit edit;
    cue_of(c).chase = static_cast<int16_t>(typed.value - 1);
}

}  // namespace

int type_into_cell(const CueCursor& c, char digit) {
    if (!g_screen || !valid_cue(c.cue)) return kNone;
    switch (c.column) {
    case kNumber: return find_typed_cue(c, digit);
    case kScene: type_scene(c, digit); break;
    case kChase: type_chase(c, digit); break;
    case kMode: say(sj("モードはLかSで選びます")); break;
    default: type_time(c, digit); break;
    }
    return kNone;
}

void set_cue_mode(const CueCursor& c, int mode) {
    if (!valid_cue(c.cue)) return;
    if (c.column != kMode) return say(sj("LとSはモードの欄で使います"));
    ShowEdit edit;
    cue_of(c).mode = static_cast<int16_t>(mode);
}

void clear_cell(const CueCursor& c) {
    if (!valid_cue(c.cue)) return;
    if (c.column != kScene && c.column != kChase) return say(sj("Delはシーンとチェイスの欄で使います"));
    ShowEdit edit;
    CueRecord& q = cue_of(c);
    if (c.column == kScene) {
        q.scene = kNone;
        q.scene_xtime = kDefaultDuration;
    } else if (c.column == kChase) {
        q.chase = kNone;
        q.rate = kDefaultDuration;
        q.chase_xtime = kDefaultDuration;
    }
}

void nudge_cell(const CueCursor& c, int direction) {
    if (!valid_cue(c.cue)) return;
    const int16_t* field = time_field(cue_of(c), c.column);
    if (field) set_time(c, nudged(StoredDuration(*field), direction));
}

void take_list_result(const CueCursor& c) {
    if (!g_screen) return;
    const Picked p = take_picked(*g_screen);
    if (!valid_cue(c.cue)) return;
    if (p.is(kPickedScene) && valid_scene(p.index)) {
        ShowEdit edit;
        cue_of(c).scene = static_cast<int16_t>(p.index);
    } else if (p.is(kPickedChase) && valid_chase(p.index)) {
        ShowEdit edit;
        cue_of(c).chase = static_cast<int16_t>(p.index);
    }
}

}  // namespace prismel
