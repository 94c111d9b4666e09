#include "screens/editchs_draw.h"

#include "data/show_data.h"
#include "platform/text_codec.h"
#include "screens/editchs_rules.h"
#include "screens/engine_status.h"
#include "screens/screen_bar.h"
#include "screens/screen_window.h"

namespace prismel {

namespace {

constexpr int kNameColumn = 17;
constexpr int kSceneColumn = 11;
constexpr int kBlankName = 20;

void draw_chase_line(ChwScreen& s, const ChwWindow& w, int chase) {
    if (valid_chase(chase))
        write_record_line(s, w, chase, name_text(g_show.chases[chase].name).text);
    else
        write_record_line(s, w, kNone, nullptr);
}

void draw_rate_line(ChwScreen& s, const ChwWindow& w, StoredDuration test_rate, const EngineFields& engine) {
    static const char* rate = sj("ﾃｽﾄﾚｲﾄ");
    static const char* output = sj("出力 ");
    at(s, w, 8, 2);
    s.set_dark_text(WinHiBg);
    s.write(rate);
    s.set_normal_colours();
    s.writef("%5.1f", seconds_of(test_rate));
    at(s, w, 23, 2);
    s.set_colours(WinHiFg, WinBg);
    s.write(output);
    write_engine_status(s, engine, g_show);
}

void draw_labels(ChwScreen& s, const ChwWindow& w) {
    static const char* step = sj(" ｽﾃｯﾌﾟ ");
    static const char* scene = sj(" ｼｰﾝNo. ");
    static const char* name = sj(" ｼｰﾝ名                    ");
    at(s, w, 1, 3);
    write_labels(s, {step, scene, name});
}

// Slot k on page row i: its number (marked while it is the step being
// played), its scene or "___", the scene's name.
void draw_step(ChwScreen& s, const ChaseRecord& c, const ChwList& cursor, int i, int k, bool playing) {
    if (playing)
        s.set_dark_text(ColYellow);
    else
        s.set_colours(WinHiFg, WinBg);
    s.write(" ");
    cursor.mark_cursor_cell(s, i, 0);
    s.writef(" %3d", k + 1);
    s.set_normal_colours();
    s.write("     ");
    const int scene = chase_step_scene(c, k);
    if (scene == kNone) {
        s.write("___");
        s.writef("%*s", kNameColumn - kSceneColumn - 3 + kBlankName, "");
        return;
    }
    s.writef("%3d   ", scene + 1);
    s.set_colours(WinHiFg, WinBg);
    s.writef("%-20s", name_text(g_show.scenes[scene].name).text);
}

void draw_steps(ChwScreen& s, const ChwWindow& w, const ChwList& cursor, int chase, const EngineFields& engine) {
    const ChaseRecord* c = valid_chase(chase) ? &g_show.chases[chase] : nullptr;
    const int playing = c && engine.current_chase == chase ? engine.chase_step : kNone;
    const int rows = editchs_step_rows(w);
    for (int i = 0; i < rows; ++i) {
        const int k = cursor.top_row + i;
        at(s, w, 1, kEditchsFirstStepRow + i);
        if (c && k >= 0 && k < kChaseSteps) draw_step(s, *c, cursor, i, k, k == playing);
        s.set_normal_colours();
        s.clear_to_frame(&w);
    }
}

}  // namespace

const char* editchs_bar_labels() {
    static const char* labels = sj("ﾁｪｲｽNo|ﾁｪｲｽ名|ｼｰﾝ参|$ｼｰﾝ編| ｺﾋﾟｰ| ｸﾘｱ|ﾃｽﾄﾚｲﾄ| 出力|$$$");
    return labels;
}

void draw_chase_editor(ChwScreen& s, const ChwWindow& w, const ChwList& cursor, int chase,
                       StoredDuration test_rate, const EngineFields& engine) {
    draw_chase_line(s, w, chase);
    draw_rate_line(s, w, test_rate, engine);
    draw_labels(s, w);
    draw_steps(s, w, cursor, chase, engine);
    keep_fkey_bar(s, editchs_bar_labels());
}

}  // namespace prismel
