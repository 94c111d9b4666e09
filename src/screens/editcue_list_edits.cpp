#include "screens/editcue_list_edits.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "data/cue_number.h"
#include "data/show_data.h"
#include "engine/show_edit.h"
#include "platform/text_codec.h"
#include "screens/editcue_rules.h"
#include "screens/screen_ask.h"

namespace prismel {

namespace {

const char* text_of(CopyStop stop) {
    static const char* not_found = sj("キューNo.が見つかりません");
    static const char* invalid = sj("不正な指定です");
    static const char* no_room = sj("これ以上ｺﾋﾟｰできません");
    static const char* used = sj("ｺﾋﾟｰ先が空ではありません");
    switch (stop) {
    case CopyStop::kNotFound: return not_found;
    case CopyStop::kInvalid: return invalid;
    case CopyStop::kNoRoom: return no_room;
    case CopyStop::kTargetUsed: return used;
    default: return "";
    }
}

// A cue number asked on the footer line: its tenths (-1 for a number no cue
// can carry) and the text as typed, which the next prompt repeats.
struct TypedNumber {
    bool ok = false;
    int tenths = -1;
    std::string text;
};

TypedNumber ask_cue_number(const ChwWindow& w, const std::string& prompt) {
    const RealAnswer typed = ask_real(Ask(w.left + 2, w.bottom - 1, 5, prompt.c_str()), 0.0, HUGE_VAL);
    if (!typed.ok()) return {};
    return {true, cue_tenths_of(typed.value), typed.text};
}

// Says why, when the check stops the copy.
bool passes(CopyStop stop) {
    if (stop == CopyStop::kNone) return true;
    say(text_of(stop));
    return false;
}

}  // namespace

void insert_point_cue_asked(const CueCursor& c) {
    static const char* no_room = sj("これ以上挿入できません");
    static const char* out_of_range = sj("範囲外です");
    CueTable& cues = g_show.cues;
    if (!point_insert_possible(cues, c.cue)) {
        say(no_room);
        return;
    }
    char whole[16];
    std::snprintf(whole, sizeof whole, "%d.", cues[c.cue - 1].number / 10);
    const RealAnswer typed = ask_real(Ask(c.window->left + 2, c.screen_row, 5).with_text(whole), 0.0, HUGE_VAL);
    if (!typed.ok()) return;
    PointInsert done;
    {
        ShowEdit edit;
        done = insert_point_cue(cues, c.cue, cue_tenths_of(typed.value));
    }
    if (done == PointInsert::kOutOfRange) say(out_of_range);
    if (done == PointInsert::kNoRoom) say(no_room);
}

void delete_point_cue_told(const CueCursor& c) {
    static const char* whole = sj("ｺﾝﾏ･ｷｭｰ以外は削除できません");
    bool deleted;
    {
        ShowEdit edit;
        deleted = delete_point_cue(g_show.cues, c.cue);
    }
    if (!deleted) say(whole);
}

void copy_cue_range_asked(const ChwWindow& w, const std::function<void()>& redraw) {
    static const char* source = sj("コピー  ｺﾋﾟｰ元ｷｭｰNo.=");
    static const char* to = sj(" ～ ");
    static const char* destination = sj(" →  ｺﾋﾟｰ先ｷｭｰNo.=");
    CueTable& cues = g_show.cues;
    std::string prompt = source;
    const TypedNumber first = ask_cue_number(w, prompt);
    if (!first.ok || !passes(check_copy_first(cues, first.tenths))) return;
    redraw();
    prompt += first.text + to;
    const TypedNumber last = ask_cue_number(w, prompt);
    if (!last.ok || !passes(check_copy_last(cues, first.tenths, last.tenths))) return;
    redraw();
    prompt += last.text + destination;
    const TypedNumber target = ask_cue_number(w, prompt);
    if (!target.ok || !passes(check_copy_destination(cues, first.tenths, last.tenths, target.tenths))) return;
    CopyOutcome copied;
    {
        ShowEdit edit;
        copied = copy_cue_range(cues, first.tenths, last.tenths, target.tenths);
    }
    passes(copied.stop);
}

}  // namespace prismel
