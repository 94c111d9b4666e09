#include "screens/Setpat.h"

#include <cstdio>

#include "chwin/chw_key_table.h"
#include "chwin/chw_keys.h"
#include "chwin/chw_list.h"
#include "chwin/chw_screen.h"
#include "data/fixture_types.h"
#include "data/patch_overlap.h"
#include "data/show_data.h"
#include "engine/show_edit.h"
#include "platform/text_codec.h"
#include "screens/screen_ask.h"
#include "screens/screen_bar.h"
#include "screens/edited_tables.h"
#include "screens/screen_window.h"
#include "screens/setpat_grid.h"
#include "screens/setpat_rules.h"
#include "screens/table_write.h"

namespace prismel {

namespace {

constexpr int kLeft = 0;
constexpr int kTop = 1;
constexpr int kRight = 90;
constexpr int kBottom = 22;
constexpr int kStartWidth = 3;

struct SetpatState {
    ChwWindow* window = nullptr;
    ChwList cursor;
};

SetpatState g_setpat;

const char* labels() {
    static const char* text = sj("TURBO|COLFDR|SCRCHG|COLCOM|先頭Ch|続きCh|Ch解除|全解除|$$");
    return text;
}

int cursor_fixture() {
    const int i = g_setpat.cursor.index();
    return valid_fixture(i) ? i : 0;
}

// The one write of a fixture's record: the step never sees half of it.
void write_record(int fixture, const PatchRecord& p) {
    ShowEdit edit;
    g_show.patch[fixture] = p;
}

// A start or a type that makes the fixture share channels with another is
// kept (a show may drive two fixtures from one set of channels), and the
// message line names the other fixture.
void tell_overlap(int fixture) {
    const int other = overlapped_fixture(g_show.patch, fixture);
    if (other == kNone) return;
    char text[64];
    std::snprintf(text, sizeof text, sj("灯体%dとチャンネルが重なっています"), other + 1);
    say(text);
}

void set_type(int layout) {
    static const char* beyond = sj("ﾁｬﾝﾈﾙが超過しています: この灯体は出力されません");
    const int f = cursor_fixture();
    write_record(f, retyped(g_show.patch[f], layout));
    // The type keeps its start: one that now runs past the last channel is
    // kept as well, and said, since the output leaves such a fixture out.
    if (channels_of(g_show.patch[f]).end > kDmxSlots) return say(beyond);
    tell_overlap(f);
}

// The placement of a start (0-based) on the cursor fixture: refused where it
// falls inside another fixture's channels; otherwise set, and the cursor
// moves on.
void place(int start) {
    static const char* overlap = sj("ﾁｬﾝﾈﾙが重複しています");
    const int f = cursor_fixture();
    if (clash_at(g_show.patch, f, start) != kNone) {
        say(overlap);
        return;
    }
    write_record(f, placed(g_show.patch[f], start));
    tell_overlap(f);
    g_setpat.cursor.next_item();
}

void type_start() {
    static const char* prompt = sj("先頭ﾁｬﾝﾈﾙ=");
    const ChwWindow& w = *g_setpat.window;
    const TypedStartRange range = typed_start_range(g_show.patch[cursor_fixture()].layout);
    const IntAnswer typed = ask_integer(Ask(w.left + 2, w.bottom - 1, kStartWidth, prompt), range.first, range.last);
    if (!g_setpat.window || !typed.ok()) return;
    place(typed.value - 1);
}

void continue_from_before() {
    static const char* beyond = sj("ﾁｬﾝﾈﾙが超過しています");
    static const char* unpatched_before = sj("前の灯体にチャンネルがありません");
    const ContinueResult next = continue_start(g_show.patch, cursor_fixture());
    switch (next.what) {
        case Continuation::kStart: place(next.start); break;
        case Continuation::kBeyond: say(beyond); break;
        case Continuation::kNothing: say(unpatched_before); break;
    }
}

void unpatch() {
    const int f = cursor_fixture();
    const PatchRecord now = unpatched(g_show.patch[f]);
    const PatchRecord& was = g_show.patch[f];
    if (now.layout != was.layout || now.start != was.start) write_record(f, now);
    g_setpat.cursor.next_item();
}

void unpatch_all() {
    static const char* question = sj("全てのパッチを解除してもいいですか?");
    if (!ask_yes_no(question)) return;
    ShowEdit edit;
    g_show.reset_patch();
}

int close_editor() {
    setpat_close();
    return kResultRedrawTop;
}

void turbo() { set_type(kLayoutTurbo); }
void colour_fader() { set_type(kLayoutColourFader); }
void scroller() { set_type(kLayoutScroller); }
void colour_combo() { set_type(kLayoutColourCombo); }

// The keys act whatever modifiers are held.
constexpr ChwKeyRow kKeys[] = {
    {kKeyEsc, 0, kModsAny, "閉じる (パッチを保存)", key_act<close_editor>},
    {kKeyF1, 0, kModsAny, "タイプをTURBO (4ch)に", key_act<turbo>},
    {kKeyF2, 0, kModsAny, "タイプをCOLFDR (3ch)に", key_act<colour_fader>},
    {kKeyF3, 0, kModsAny, "タイプをSCRCHG (1ch)に", key_act<scroller>},
    {kKeyF4, 0, kModsAny, "タイプをCOLCOM (4ch)に", key_act<colour_combo>},
    {kKeyF5, 0, kModsAny, "先頭チャンネルを入れる", key_act<type_start>},
    {kKeyF6, 0, kModsAny, "前の灯体の続きのチャンネル", key_act<continue_from_before>},
    {kKeyF7, 0, kModsAny, "チャンネルを解除して次へ", key_act<unpatch>},
    {kKeyDelete, 0, kModsAny, "チャンネルを解除して次へ", key_act<unpatch>},
    {kKeyF8, 0, kModsAny, "全部のパッチを解除", key_act<unpatch_all>},
};

constexpr ChwMouseRow kMouse[] = {
    {"クリック", "灯体にカーソル"},
};

constexpr ChwKeyTable kKeyTable{kKeys, kMouse, true};

}  // namespace

int setpat_open(ChwWindow* parent) {
    if (g_setpat.window || !g_screen) return 0;
    static const char* title = sj(" 灯体の設定");
    g_setpat.window = open_screen_window(parent, title, kStyleFramed | kStyleFooter, kLeft, kTop, kRight, kBottom,
                                         {setpat_key, setpat_mouse, nullptr, setpat_draw, table_bit(ShowTable::kPatch)});
    g_setpat.window->key_table = &kKeyTable;
    g_setpat.cursor = ChwList(g_setpat.window, kSetpatGridColumns, kSetpatGridRows, kSetpatGridRows, kFixtures);
    setpat_draw();
    return 1;
}

int setpat_close() {
    if (!g_setpat.window) return 0;
    write_show_table(ShowTable::kPatch);
    g_setpat.cursor = ChwList();
    close_screen_window(g_setpat.window);
    return 1;
}

bool setpat_is_open() { return g_setpat.window != nullptr; }
ChwWindow* setpat_window() { return g_setpat.window; }
int setpat_cursor_fixture() { return g_setpat.window ? cursor_fixture() : kNone; }

int setpat_key(int key, int flags) {
    if (!g_setpat.window || !g_screen) return kResultHandled;
    say("");
    int result = kResultHandled;
    if (!g_setpat.cursor.key(*g_screen, key, flags)) dispatch_key(kKeys, key, flags, result);
    if (result == kResultRedrawTop) return result;  // closed
    setpat_draw();
    return kResultHandled;
}

int setpat_mouse(int column, int row, int button, int) {
    if (!g_setpat.window || button != kButtonLeft) return 0;
    const int f = setpat_fixture_at(*g_setpat.window, column, row);
    if (f == kNone) return 0;
    g_setpat.cursor.go_to_row(f / kSetpatGridColumns);
    g_setpat.cursor.cursor_column = f % kSetpatGridColumns;
    setpat_draw();
    return 0;
}

int setpat_draw() {
    if (!g_setpat.window || !g_screen) return 0;
    draw_setpat_grid(*g_screen, *g_setpat.window, g_setpat.cursor, g_show.patch);
    keep_fkey_bar(*g_screen, labels());
    return 0;
}

}  // namespace prismel
