#include "screens/runscr_draw.h"

#include "chwin/chw_field.h"
#include "data/cue_number.h"
#include "data/show_data.h"
#include "engine/duration.h"
#include "platform/text_codec.h"
#include "screens/runscr_text.h"
#include "screens/screen_bar.h"
#include "screens/screen_window.h"

namespace prismel {

namespace {

constexpr int kHeaderRow = 13;
constexpr int kListRow = 14;
constexpr int kCurrentSlot = 2;  // the current cue is always the third row
constexpr int kMaxListRows = ChwScreen::kRows;
constexpr int kNameBytes = 20;
// The name is read up to one byte past its text, where the terminator sits.
static_assert(sizeof(SceneRecord::name) == kNameBytes + 1 && sizeof(ChaseRecord::name) == kNameBytes + 1);

// What a fixture cell showed at the last redraw outside a hold, so that a
// hold can show it again in the hold colours.
struct FixtureShown {
    bool coloured = false;
    char name[6] = {};
    uint32_t swatch = 0;
};

// The scene call's caption and bar, made when the page or the cross time
// changes rather than formatted on every tick.
struct SceneTexts {
    bool made = false;
    int page = 0;
    int xtime = 0;
    char caption[kRunscrTextBytes] = {};
    char bar[kRunscrTextBytes] = {};
};

struct DrawState {
    int list_rows = 0;
    FixtureShown fixture[kFixtures];
    SceneTexts scene_texts;
};

DrawState g_state;

int clamp_level(long long v) { return v < 0 ? 0 : v > 255 ? 255 : static_cast<int>(v); }

void draw_fixture_numbers(ChwScreen& s, const ChwWindow& w) {
    s.set_colours(WinFg, HeaderG);
    for (int i = 0; i < kFixtures; ++i) {
        at(s, w, (i % 8) * 10 + 2, i / 8 + 2);
        ChwField().number(i + 1, 2).write_to(s);
    }
}

void draw_header(ChwScreen& s, const ChwWindow& w) {
    static const char* cue = sj("  ｷｭｰNo. ");
    static const char* scene = sj(" ｼｰﾝNo. ｼｰﾝ名                  ");
    static const char* chase = sj(" ﾁｪｲｽNo.  ﾁｪｲｽ名             ｽﾃｯﾌﾟ   ");
    at(s, w, 1, kHeaderRow);
    s.set_attribute(kAttrBoxed);
    s.set_dark_text(HeaderY);
    s.write(cue);
    s.set_dark_text(WinHiBg);
    s.write("    ");
    s.write(scene);
    s.write(chase);
    s.set_attribute(0);
}

// The colour each fixture shows: the scene's own, else that of the scene the
// chase step plays.
int fixture_colour(const SceneRecord* scene, const SceneRecord* step_scene, int i) {
    int c = scene ? scene->colour[i] : kNone;
    if (!valid_colour(c) && step_scene) c = step_scene->colour[i];
    return valid_colour(c) ? c : kNone;
}

const SceneRecord* scene_or_null(int scene) { return valid_scene(scene) ? &g_show.scenes[scene] : nullptr; }

const SceneRecord* step_scene_of(int chase, int step) {
    if (!valid_chase(chase)) return nullptr;
    const ChaseRecord& c = g_show.chases[chase];
    if (step < 0 || step >= step_count_of(c)) return nullptr;
    return scene_or_null(c.steps[step]);
}

void draw_fixture_cell(ChwScreen& s, const FixtureShown& shown, int name_fg, int name_bg) {
    s.set_attribute(kAttrUnderline);
    if (shown.coloured) {
        s.set_colours(name_fg, name_bg);
        ChwField().text(" ").right(shown.name, 4).write_to(s);
        s.set_bg_value(shown.swatch);
        s.set_attribute(kAttrBoxed);
        s.write("  ");
    } else {
        s.set_dark_text(ColBlue);
        s.write("     ");
        s.set_colours(WinFg, WinNgFg);
        s.write("  ");
    }
    s.set_attribute(0);
}

void draw_fixture_colours(ChwScreen& s, const ChwWindow& w, const EngineFields& f, bool hold) {
    const bool running = f.show_running != 0;
    const SceneRecord* scene = scene_or_null(running ? f.current_scene : f.preview_scene);
    const SceneRecord* step_scene =
        running ? step_scene_of(f.current_chase, f.chase_step) : step_scene_of(f.preview_chase, f.preview_step);
    int name_fg = WinNgFg, name_bg = running ? HeaderC : HeaderY;
    if (hold) name_fg = WinFg, name_bg = HeaderR;
    for (int i = 0; i < kFixtures; ++i) {
        FixtureShown& shown = g_state.fixture[i];
        if (!hold) {
            int c = fixture_colour(scene, step_scene, i);
            shown.coloured = c != kNone;
            if (shown.coloured) {
                g_show.colours.name(c, shown.name);
                shown.swatch = g_show.colours.display_colour(c);
            }
        }
        const int column = (i % 8) * 10 + 4;
        at(s, w, column, i / 8 + 2);
        draw_fixture_cell(s, shown, name_fg, name_bg);
        // A five-byte name pushes the swatch one cell on; keep the gap after
        // a shorter one clean.
        if (s.cursor_column() == w.left + column + 7) {
            s.set_normal_colours();
            s.write(" ");
        }
    }
}

// How a layer (scene or chase) of a cue row is drawn.
enum class LayerLook { Other, CurrentOwn, CurrentCalled };

struct LayerGauge {
    int step = -1;  // chase step shown before the gauge, or -1
    int step_fg = WinHiFg, step_bg = WinBg;
    int out = 0, in = 0;
};

// " %3d " + " %-20s" and, on the current row, the gauge; blanks elsewhere
// (gauge_bytes: 4 for a scene, 7 for a chase).
void draw_layer(ChwScreen& s, const char* name_field, int index, LayerLook look, const LayerGauge* gauge,
                int gauge_bytes) {
    static const char* blanks = "       ";
    const bool current = look != LayerLook::Other;
    if (index == kNone) {
        s.set_dark_text(current ? ColBlue : WinBg);
        ChwField().text(" ___  ").blanks(20).write_to(s);
        s.write(blanks, gauge_bytes);
        return;
    }
    char name[kNameBytes + 1];
    copy_name(name_field, kNameBytes + 1, name);
    if (look == LayerLook::CurrentCalled)
        s.set_dark_text(HeaderR);
    else if (look == LayerLook::CurrentOwn)
        s.set_colours(WinNgFg, WinFg);
    else
        s.set_normal_colours();
    ChwField().text(" ").number(index + 1, 3).text(" ").write_to(s);
    if (look == LayerLook::CurrentCalled)
        s.set_dark_text(HeaderG);
    else if (look == LayerLook::CurrentOwn)
        s.set_dark_text(HeaderC);
    ChwField().text(" ").left(name, 20).write_to(s);
    s.set_normal_colours();
    if (!current || !gauge) {
        s.write(blanks, gauge_bytes);
        return;
    }
    if (gauge->step >= 0) {
        s.set_colours(gauge->step_fg, gauge->step_bg);
        ChwField().number(gauge->step + 1, 3).write_to(s);
        s.set_normal_colours();
    }
    s.write_two_level_gauge(gauge->out, gauge->in);
    s.set_normal_colours();
}

LayerLook look_of(bool current, bool called) {
    if (!current) return LayerLook::Other;
    return called ? LayerLook::CurrentCalled : LayerLook::CurrentOwn;
}

// The scene and chase parts of a row; own_scene / own_chase are the cue's
// (kNone in standby, where the layers always count as called).
void draw_layers(ChwScreen& s, const EngineFields& f, bool current, bool standby, int scene, int own_scene,
                 int chase, int own_chase) {
    if (!valid_scene(scene)) scene = kNone;
    if (!valid_chase(chase)) chase = kNone;
    LayerGauge scene_gauge{-1, WinHiFg, WinBg, clamp_level(f.scene_out), clamp_level(f.scene_in)};
    draw_layer(s, scene == kNone ? nullptr : g_show.scenes[scene].name, scene,
               look_of(current, standby || scene != own_scene), &scene_gauge, 4);
    s.set_normal_colours();
    s.write("  ");
    LayerGauge chase_gauge{f.chase_step, standby ? WinNgFg : WinHiFg, standby ? WinHiBg : WinBg,
                           clamp_level(f.chase_out), clamp_level(f.chase_in)};
    draw_layer(s, chase == kNone ? nullptr : g_show.chases[chase].name, chase,
               look_of(current, standby || chase != own_chase), &chase_gauge, 7);
}

void draw_cue_row(ChwScreen& s, const EngineFields& f, int cue, bool current) {
    const CueRecord& q = g_show.cues[cue];
    if (current)
        s.set_dark_text(HeaderY);
    else if (!f.show_running && cue == f.preview_cue)
        s.set_dark_text(ColRed);
    else
        s.set_colours(WinHiFg, WinBg);
    s.write(" ");
    s.write(cue_number_text(q.number, CueNumberStyle::kField).text);
    s.set_normal_colours();
    s.write(" ");
    if (q.wait > 0) {
        s.write("WT");
        if (current) {
            EngineSteps total = steps_of(StoredDuration(q.wait));
            int level = total > 0 ? clamp_level(static_cast<long long>(f.wait_countdown) * 255 / total) : 0;
            s.write_level_gauge(level, WinFg);
            s.set_normal_colours();
        } else {
            s.write("  ");
        }
    } else {
        s.write("GO  ");
    }
    draw_layers(s, f, current, false, current ? f.current_scene : q.scene, q.scene,
                current ? f.current_chase : q.chase, q.chase);
}

void draw_standby_row(ChwScreen& s, const EngineFields& f, bool hold) {
    static const char* held = sj("ﾎｰﾙﾄﾞ中");
    static const char* standby = sj("ｽﾀﾝﾊﾞｲ ");
    s.set_dark_text(hold ? HeaderR : HeaderC);
    s.write(hold ? held : standby);
    s.set_normal_colours();
    s.write("     ");
    draw_layers(s, f, true, true, f.current_scene, kNone, f.current_chase, kNone);
}

void draw_cue_list(ChwScreen& s, const ChwWindow& w, const EngineFields& f, bool hold) {
    const CueTable& cues = g_show.cues;
    const int current = valid_cue(f.current_cue) ? f.current_cue : kNone;
    int row_cue[kMaxListRows];
    const int rows = g_state.list_rows < kMaxListRows ? g_state.list_rows : kMaxListRows;
    for (int r = 0; r < rows; ++r) {
        if (r == kCurrentSlot)
            row_cue[r] = current;
        else if (r > kCurrentSlot)
            row_cue[r] = cues.next_used(row_cue[r - 1]);
    }
    // The rows above: the previous used cue, and the one before it.
    int before = cues.previous_used(current);
    if (rows > 1) row_cue[1] = before;
    if (rows > 0) row_cue[0] = cues.previous_used(before);
    for (int r = 0; r < rows; ++r) {
        at(s, w, 2, kListRow + r);
        const int cue = row_cue[r];
        if (r == kCurrentSlot && cue == kNone) {
            draw_standby_row(s, f, hold);
        } else if (cue == kNone) {
            s.set_normal_colours();
            s.clear_to_frame(&w);
        } else {
            draw_cue_row(s, f, cue, r == kCurrentSlot);
        }
    }
}

// Number of the status text: "%4d.%1d" / "%4d. ", "____._" for none.
CueNumberText status_number(int cue) {
    if (valid_cue(cue)) return cue_number_text(g_show.cues[cue].number, CueNumberStyle::kField);
    return CueNumberText{"____._"};
}

void draw_status(ChwScreen& s, const ChwWindow& w, const EngineFields& f) {
    static const char* preview = sj("ﾌﾟﾚﾋﾞｭｰ  ｷｭｰNo.:");
    static const char* scene_label = sj("  ｼｰﾝNo.:");
    static const char* chase_label = sj("  ﾁｪｲｽNo.:");
    static const char* running = sj("実行中 ｷｭｰNo.:");
    at(s, w, 4, w.height - 2);
    s.set_normal_colours();
    if (!f.show_running) {
        s.write(preview);
        s.write(status_number(f.preview_cue).text);
        s.write(scene_label);
        if (valid_scene(f.preview_scene))
            ChwField().number(f.preview_scene + 1, 3).text(" ").write_to(s);
        else
            s.write("___ ");
        s.write(chase_label);
        if (valid_chase(f.preview_chase))
            ChwField().number(f.preview_chase + 1, 2).text(":").number(f.preview_step + 1, 2).write_to(s);
        else
            s.write("__:__");
    } else if (valid_cue(f.current_cue)) {
        s.write(running);
        s.write(status_number(f.current_cue).text);
    }
    s.clear_to_frame(&w);
}

void draw_caption_and_bar(ChwScreen& s, const EngineFields& f, bool shift) {
    char bar[kRunscrTextBytes];
    const char* caption_text = nullptr;
    const char* bar_text = bar;
    if (shift) {
        caption_text = runscr_aux_caption();
        bar_text = runscr_aux_bar(f.call_mode == 0 ? 0 : 1);
    } else if (f.call_mode == 0) {
        SceneTexts& t = g_state.scene_texts;
        if (!t.made || t.page != f.scene_page || t.xtime != f.scene_call_xtime.value()) {
            t.made = true;
            t.page = f.scene_page;
            t.xtime = f.scene_call_xtime.value();
            runscr_scene_caption(t.page, t.xtime, t.caption, sizeof t.caption);
            runscr_scene_bar(t.page, t.bar, sizeof t.bar);
        }
        caption_text = t.caption;
        bar_text = t.bar;
    } else {
        caption_text = runscr_preset_caption();
        runscr_preset_bar(g_show.fkeys, bar, sizeof bar);
    }
    write_caption(s, caption_text, 0);
    keep_fkey_bar(s, bar_text);
}

}  // namespace

void runscr_draw_reset(int list_rows) {
    g_state = DrawState{};
    g_state.list_rows = list_rows < 0 ? 0 : list_rows;
}

void runscr_draw_window(ChwScreen& s, const ChwWindow& w, const EngineFields& f, int hold, bool shift) {
    draw_fixture_numbers(s, w);
    draw_header(s, w);
    draw_fixture_colours(s, w, f, hold != 0);
    draw_cue_list(s, w, f, hold != 0);
    draw_status(s, w, f);
    draw_caption_and_bar(s, f, shift);
    s.set_normal_colours();
}

}  // namespace prismel
