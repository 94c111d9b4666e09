#include "screens/editcue_draw.h"

#include <cstdio>
#include <cstring>

#include "data/cue_number.h"
#include "engine/duration.h"
#include "engine/playback_engine.h"
#include "platform/text_codec.h"
#include "screens/engine_status.h"
#include "screens/screen_window.h"

namespace prismel {

namespace {

constexpr int kName = 20;
// A name field holds 20 bytes of text and its terminator.
static_assert(sizeof(SceneRecord::name) == kName + 1 && sizeof(ChaseRecord::name) == kName + 1);

constexpr const char kBlanks[] = "                                ";

// Blanks in normal colours up to a window column (nothing when the cursor is
// already there or past it).
void blank_to(ChwScreen& s, const ChwWindow& w, int x) {
    int n = w.left + x - s.cursor_column();
    s.set_normal_colours();
    while (n > 0) {
        const int k = n < static_cast<int>(sizeof kBlanks) - 1 ? n : static_cast<int>(sizeof kBlanks) - 1;
        s.write(kBlanks, k);
        n -= k;
    }
}

// Colours of the cell (page row i, column c): fg on the window, or on the
// cursor where the cursor is.
void cell(ChwScreen& s, const ChwList& list, int i, int c, int fg) {
    s.set_colours(fg, WinBg);
    list.mark_cursor_cell(s, i, c);
}

void draw_scene(ChwScreen& s, const ChwWindow& w, const ChwList& list, int i, const CueRecord& q,
                const ShowData& show) {
    blank_to(s, w, kCueCellX[2]);
    cell(s, list, i, 2, WinFg);
    if (!valid_scene(q.scene)) {
        s.write("---");
        blank_to(s, w, kCueCellX[3]);
        cell(s, list, i, 3, WinFg);
        s.write("    ");
        return;
    }
    s.writef("%3d", q.scene + 1);
    s.set_colours(WinHiFg, WinBg);
    s.writef(" %-20s", name_text(show.scenes[q.scene].name).text);
    blank_to(s, w, kCueCellX[3]);
    cell(s, list, i, 3, WinFg);
    s.write(cue_time_text(q.scene_xtime).text);
}

void draw_chase(ChwScreen& s, const ChwWindow& w, const ChwList& list, int i, const CueRecord& q,
                const ShowData& show) {
    static const char* none_time = "__._";
    const bool on = valid_chase(q.chase);
    blank_to(s, w, kCueCellX[4]);
    cell(s, list, i, 4, WinFg);
    if (on) {
        s.writef("%2d", q.chase + 1);
        s.set_colours(WinHiFg, WinBg);
        s.writef(" %-20s ", name_text(show.chases[q.chase].name).text);
    } else {
        s.write("--");
    }
    blank_to(s, w, kCueCellX[5]);
    cell(s, list, i, 5, WinFg);
    s.write(on ? cue_time_text(q.rate).text : none_time);
    blank_to(s, w, kCueCellX[6]);
    cell(s, list, i, 6, WinFg);
    s.write(on ? cue_time_text(q.chase_xtime).text : none_time);
    blank_to(s, w, kCueCellX[7]);
    cell(s, list, i, 7, WinFg);
    s.write(on ? cue_mode_text(q.mode) : "_");
}

void draw_record(ChwScreen& s, const ChwWindow& w, const ChwList& list, int i, const CueRecord& q,
                 const ShowData& show) {
    at(s, w, 1, kCueFirstRow + i);
    s.set_normal_colours();
    s.write(" ");
    cell(s, list, i, 0, HeaderY);
    s.write(cue_number_text(q.number, CueNumberStyle::kField).text);
    blank_to(s, w, kCueCellX[1]);
    cell(s, list, i, 1, WinFg);
    s.write(cue_wait_text(q.wait).text);
    draw_scene(s, w, list, i, q, show);
    draw_chase(s, w, list, i, q, show);
    s.set_normal_colours();
    s.clear_to_frame(&w);
}

void draw_labels(ChwScreen& s, const ChwWindow& w) {
    static const char* number = sj(" ｷｭｰNo.");
    static const char* wait = sj(" ｳｪｲﾄ ");
    static const char* scene = sj(" ｼｰﾝNo. ｼｰﾝ名             ｸﾛｽ  ");
    static const char* chase = sj(" ﾁｪｲｽNo.  ﾁｪｲｽ名           ﾚｲﾄ  ｸﾛｽ ﾓｰﾄﾞ  ");
    at(s, w, 1, kCueLabelRow);
    write_labels(s, {number, wait, scene, chase});
    s.set_normal_colours();
    s.clear_to_frame(&w);
}

}  // namespace

int cue_column_at(int c) {
    struct Span {
        int from, to;
    };
    static constexpr Span kSpans[kCueColumns] = {{0, 6}, {8, 11}, {13, 15}, {38, 41},
                                                 {46, 47}, {69, 73}, {75, 78}, {81, 81}};
    for (int k = 0; k < kCueColumns; ++k)
        if (c >= kSpans[k].from && c <= kSpans[k].to) return k;
    return -1;
}

CueCellText cue_time_text(int stored) {
    CueCellText t;
    const int n = std::snprintf(t.text, sizeof t.text, "%4.1f", seconds_of(StoredDuration(stored)));
    if (n < 0 || n > 4) std::memcpy(t.text, "****", 5);
    return t;
}

CueCellText cue_wait_text(int stored) {
    if (stored > 0) return cue_time_text(stored);
    CueCellText t;
    std::memcpy(t.text, "__._", 5);
    return t;
}

const char* cue_mode_text(int mode) { return mode == 0 ? "L" : mode == 1 ? "S" : "_"; }

void draw_cue_output_status(ChwScreen& s, const ChwWindow& w) {
    static const char* output = sj("出力 ");
    at(s, w, 50, kCueStatusRow);
    s.set_colours(WinHiFg, WinBg);
    s.write(output);
    write_engine_status(s, g_engine.fields(), g_show);
}

void draw_cue_table(ChwScreen& s, const ChwWindow& w, const ChwList& list, const ShowData& show) {
    draw_labels(s, w);
    for (int i = 0; i < list.page_rows; ++i) {
        const int r = list.top_row + i;
        if (valid_cue(r)) {
            draw_record(s, w, list, i, show.cues[r], show);
        } else {
            at(s, w, 1, kCueFirstRow + i);
            s.set_normal_colours();
            s.clear_to_frame(&w);
        }
    }
}

}  // namespace prismel
