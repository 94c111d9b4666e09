#include "screens/editfky_draw.h"

#include "data/cue_number.h"
#include "data/show_data.h"
#include "engine/duration.h"
#include "platform/text_codec.h"
#include "screens/editfky_rules.h"
#include "screens/screen_bar.h"
#include "screens/screen_window.h"

namespace prismel {

namespace {

constexpr int kFirstKeyRow = 2;
constexpr int kKeyColumn = 2;
constexpr int kTypeColumn = 9;
constexpr int kTargetColumn = 16;
constexpr int kRateColumn = 45;
constexpr int kCrossColumn = 50;

struct RowPen {
    ChwScreen& s;
    const ChwWindow& w;
    const ChwList& cursor;
    int page_row;
    int row;  // window row

    // The cell's colours, the cursor's background when it stands on it.
    void colours(int fg, int bg, int column) {
        s.set_colours(fg, bg);
        cursor.mark_cursor_cell(s, page_row, column);
    }
    void blanks_to(int column) {
        s.set_normal_colours();
        while (s.cursor_column() < w.left + column) s.write_char(' ');
        at(s, w, column, row);
    }
};

const char* type_text(FkeyType t) {
    static const char* cue = sj("ｷｭｰ   ");
    static const char* scene = sj("ｼｰﾝ   ");
    static const char* chase = sj("ﾁｪｲｽ  ");
    switch (t) {
    case kFkeyCue: return cue;
    case kFkeyScene: return scene;
    case kFkeyChase: return chase;
    case kFkeyStandby: return fkey_standby_label();
    default: return "______";
    }
}

// A time the editor cannot set (a damaged file) would not fit its four
// cells: it shows as such rather than running over the next field or the
// frame.
void write_seconds(RowPen& p, int column, int stored, int cursor_column) {
    p.blanks_to(column);
    const bool settable = stored >= 0 && stored <= kNudgeMax;
    p.colours(settable ? WinFg : WinNgFg, WinBg, cursor_column);
    if (settable)
        p.s.writef("%4.1f", seconds_of(StoredDuration(stored)));
    else
        p.s.write("****");
}

void write_cue_target(RowPen& p, int cue) {
    p.colours(WinFg, WinBg, kFkeyColumnTarget);
    p.s.write(cue == kNone ? "____._" : cue_number_text(g_show.cues[cue].number, CueNumberStyle::kField).text);
}

// Number and name of a scene or chase, or the blank number of none.
template <typename Record>
void write_reference(RowPen& p, int index, const char* number_format, const char* none, const Record* r) {
    if (!r) {
        p.colours(WinNgFg, WinBg, kFkeyColumnTarget);
        p.s.write(none);
        return;
    }
    p.colours(WinFg, WinBg, kFkeyColumnTarget);
    p.s.writef(number_format, index + 1);
    p.s.set_normal_colours();
    p.s.writef(" %-20s", name_text(r->name).text);
}

void write_row(RowPen& p, const FkeyRecord& r, int k) {
    ChwScreen& s = p.s;
    at(s, p.w, kKeyColumn, p.row);
    s.set_colours(p.page_row == p.cursor.cursor_row ? ColYellow : WinHiFg, WinBg);
    s.writef(" F%2d ", k % 10 + 1);
    p.blanks_to(kTypeColumn);
    const FkeyType type = fkey_type_of(r);
    p.colours(type == kFkeyNone ? WinNgFg : WinFg, WinBg, kFkeyColumnType);
    s.write(type_text(type));
    p.blanks_to(kTargetColumn);
    const int target = fkey_target_of(r);
    switch (type) {
    case kFkeyCue: write_cue_target(p, target); break;
    case kFkeyScene:
        write_reference(p, target, " %3d  ", " ___  ", target == kNone ? nullptr : &g_show.scenes[target]);
        if (target != kNone) write_seconds(p, kCrossColumn, r.xtime, kFkeyColumnTime);
        break;
    case kFkeyChase:
        write_reference(p, target, "  %2d  ", "  __  ", target == kNone ? nullptr : &g_show.chases[target]);
        if (target != kNone) {
            write_seconds(p, kRateColumn, r.rate, kFkeyColumnTime);
            write_seconds(p, kCrossColumn, r.xtime, kFkeyColumnCross);
        }
        break;
    default: break;
    }
    s.set_normal_colours();
    s.clear_to_frame(&p.w);
}

}  // namespace

void editfky_draw_window(ChwScreen& s, const ChwWindow& w, const ChwList& cursor, const FkeyRecord* fkeys) {
    static const char* key_label = " F No. ";
    static const char* type_label = sj("  ﾀｲﾌﾟ  ");
    static const char* rest_label = sj(" No.   名前                   ﾚｲﾄ  ｸﾛｽ  ");
    at(s, w, 1, 1);
    write_labels(s, {key_label, type_label, rest_label});
    for (int i = 0; i < cursor.page_rows; ++i) {
        const int k = cursor.top_row + i;
        if (k >= kFkeys || kFirstKeyRow + i >= w.height - 1) break;
        RowPen p{s, w, cursor, i, kFirstKeyRow + i};
        write_row(p, fkeys[k], k);
    }
    static const char* bar = sj(" ｷｭｰ| ｼｰﾝ| ﾁｪｲｽ|$ｽﾀﾝﾊﾞｲ|$$$$$$$");
    keep_fkey_bar(s, bar);
}

}  // namespace prismel
