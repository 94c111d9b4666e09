#include "screens/Editscn.h"

#include "chwin/chw_key_table.h"
#include "chwin/chw_keys.h"
#include "chwin/chw_list.h"
#include "chwin/chw_screen.h"
#include "chwin/reflist.h"
#include "data/show_data.h"
#include "engine/playback_engine.h"
#include "engine/show_edit.h"
#include "platform/text_codec.h"
#include "screens/editscn_draw.h"
#include "screens/editscn_rules.h"
#include "screens/output_toggle.h"
#include "screens/picked.h"
#include "screens/screen_ask.h"
#include "screens/screen_bar.h"
#include "screens/edited_tables.h"
#include "screens/screen_window.h"
#include "screens/table_write.h"

namespace prismel {

namespace {

constexpr int kNarrowScreen = 94;  // fewer columns: the window moves to the corner
constexpr int kWindowColumns = 92;
constexpr int kWindowRows = 24;

struct EditscnState {
    ChwWindow* window = nullptr;
    ChwList cursor;
    // Kept while the program runs.
    int scene = 0;
    Marks marks{};
    OutputToggle output;
    EditscnBar bar = EditscnBar::kNormal;
};

EditscnState g;

int cursor_fixture() { return g.cursor.index(); }

bool scene_selected() { return valid_scene(g.scene); }

// The keys that edit the scene say so while none is chosen.
template <auto F>
void with_scene(int key) {
    static const char* none = sj("シーンが選ばれていません (F1で選ぶ)");
    if (!scene_selected()) return say(none);
    if constexpr (std::is_invocable_v<decltype(F), int>) F(key);
    else F();
}

// One short guarded write of the current scene.
template <typename Edit>
void edit_scene(Edit edit) {
    if (!scene_selected()) return;
    ShowEdit guard;
    edit(g_show.scenes[g.scene]);
}

// An edit of the fixtures the action touches: the marked ones, or the cursor's.
template <typename Edit>
void edit_touched(Edit edit) {
    const FixtureSet touched = touched_fixtures(g.marks, cursor_fixture());
    edit_scene([&](SceneRecord& r) { edit(r, touched); });
}

void assign_colour_to_touched(int colour) {
    edit_touched([&](SceneRecord& r, const FixtureSet& f) { assign_colour(r, f, colour); });
}

void assign_size_to_touched(uint8_t size) {
    edit_touched([&](SceneRecord& r, const FixtureSet& f) { assign_size(r, f, size); });
}

void set_bar(EditscnBar bar) {
    g.bar = bar;
    if (g_screen) show_editscn_bar(*g_screen, bar);
}

// --- F-keys

void choose_scene() {
    const ChwWindow& w = *g.window;
    const IntAnswer typed = ask_integer(Ask(w.left + 6, w.top + 1, 4).with_list(inp_mode::kSceneRef), 1, kScenes);
    if (typed.answer == Answer::kListRequested)
        open_scene_list(g.window);
    else if (typed.ok())
        g.scene = shown_scene(typed.value - 1);
}

void rename_scene() {
    const ChwWindow& w = *g.window;
    const TextAnswer typed =
        ask_text(Ask(w.left + 17, w.top + 1, 20).with_text(name_text(g_show.scenes[g.scene].name).text));
    if (!typed.ok()) return;
    edit_scene([&](SceneRecord& r) { set_scene_name(r, typed.text.c_str()); });
}

void colour_by_name() {
    static const char* prompt = sj("ｶﾗｰ名=");
    static const char* unknown = sj("色指定に誤りがあります");
    const ChwWindow& w = *g.window;
    const TextAnswer typed = ask_text(Ask(w.left + 2, w.bottom - 1, 7, prompt).with_list(inp_mode::kColourRef));
    if (typed.answer == Answer::kListRequested) {
        open_colour_list(g.window);
        return;
    }
    if (!typed.ok() || typed.text.empty()) return;
    int colour = kNone;
    {
        // The lookup trims the stored names where they lie.
        ShowEdit guard;
        colour = g_show.colours.find_by_name(typed.text.c_str());
    }
    if (colour == kNone) {
        say(unknown);
        return;
    }
    assign_colour_to_touched(colour);
}

void size_by_percent() {
    static const char* prompt = sj("サイズ(0～100)=");
    const ChwWindow& w = *g.window;
    const IntAnswer typed = ask_integer(Ask(w.left + 2, w.bottom - 1, 4, prompt), 0, 100);
    if (typed.ok()) assign_size_to_touched(size_of_percent(typed.value));
}

void copy_from_scene() {
    static const char* prompt = sj("ｺﾋﾟｰ ｼｰﾝ番号=");
    const ChwWindow& w = *g.window;
    const IntAnswer typed = ask_integer(Ask(w.left + 2, w.bottom - 1, 4, prompt), 1, kScenes);
    const int from = typed.ok() ? shown_scene(typed.value - 1) : kNone;
    if (from == kNone) return;
    edit_scene([&](SceneRecord& r) { copy_scene(g_show.scenes[from], r); });
}

void copy_to_next() {
    static const char* last = sj("最後のシーンです: +1ｺﾋﾟｰできません");
    const int target = plus_one_target(g.scene);
    if (target == kNone) return say(last);
    static const char* question = sj("既存のシーンを上書きしますか?");
    if (overwrite_needs_asking(g_show.scenes, target) && !ask_yes_no(question)) return;
    {
        ShowEdit guard;
        copy_scene(g_show.scenes[g.scene], g_show.scenes[target]);
    }
    g.scene = target;
}

// The scene as it is now goes on stage, the show parked; or the show comes back.
void toggle_output() {
    const int scene = g.scene;
    const bool was_testing = g.output.testing();
    const bool testing = g.output.toggle(valid_scene(scene), [scene] {
        g_engine.go_to_cue(kNone);
        g_engine.call_scene(scene, StoredDuration(0));
    });
    if (!was_testing && !testing) with_scene<[] {}>(0);
}

void store_group(int group) {
    group_from_marks(g_show.groups[group], g.marks);
    write_show_table(ShowTable::kGroups);
}

// Back on top: a reference list's result, taken once.
void take_list_result() {
    if (!g_screen) return;
    const Picked picked = take_picked(*g_screen);
    if (picked.is(kPickedScene))
        g.scene = shown_scene(picked.index);
    else if (picked.is(kPickedColour) && scene_selected())
        assign_colour_to_touched(picked.index);
}

void go_to_fixture(int f) {
    g.cursor.cursor_column = f % kGridColumns;
    g.cursor.go_to_row(f / kGridColumns);
}

// --- the keys

int close_editor() {
    editscn_close();
    return kResultRedrawTop;
}

void refresh(int, int flags) {
    take_list_result();
    set_bar(bar_of_modifiers(flags));
}

void modifier_changed(int, int flags) { set_bar(bar_of_modifiers(flags)); }

void toggle_mark() {
    uint8_t& mark = g.marks[cursor_fixture()];
    mark = !mark;
    g.cursor.next_item();
}

void clear_touched() { edit_touched(clear_fixtures); }
void open_colour_list_here() { open_colour_list(g.window); }
void toggle_marks() { toggle_all_marks(g.marks); }
void one_touch_size(int key) { assign_size_to_touched(size_of_percent((key - kKeyF1 + 1) * 10)); }
void recall_group(int key) { marks_from_group(g.marks, g_show.groups[key - kKeyF1]); }
void store_group_key(int key) { store_group(key - kKeyF1); }

// Shift gives the size bar, Alt (without Shift) the group marks, Ctrl alone
// the group store: as the bar shows them.
constexpr ChwMods kModsAltBar{kModAlt, kModShift};

constexpr ChwKeyRow kKeys[] = {
    {kKeyRefresh, 0, kModsAny, nullptr, key_act<refresh>},
    {kKeyEsc, 0, kModsAny, "閉じる (シーンを保存)", key_act<close_editor>},
    {kKeyShift, kKeyAlt, kModsAny, "押す間はFキーが変わる", key_act<modifier_changed>, "Shift Ctrl Alt"},
    {kKeySpace, 0, kModsAny, "マークを切り替えて次へ", key_act<toggle_mark>},
    {kKeyDelete, 0, kModsAny, "色とサイズを消す", key_act<with_scene<clear_touched>>},
    {kKeyF1, 0, kModsNone, "シーン番号を入れる", key_act<choose_scene>},
    {kKeyF2, 0, kModsNone, "シーン名を入れる", key_act<with_scene<rename_scene>>},
    {kKeyF3, 0, kModsNone, "色名を入れて色を付ける", key_act<with_scene<colour_by_name>>},
    {kKeyF4, 0, kModsNone, "サイズ(％)を入れる", key_act<with_scene<size_by_percent>>},
    {kKeyF5, 0, kModsNone, "色の一覧から色を付ける", key_act<with_scene<open_colour_list_here>>},
    {kKeyF6, 0, kModsNone, "全部をマーク／マーク解除", key_act<toggle_marks>},
    {kKeyF7, 0, kModsNone, "他のシーンからコピー", key_act<with_scene<copy_from_scene>>},
    {kKeyF8, 0, kModsNone, "次のシーンへ+1コピー", key_act<with_scene<copy_to_next>>},
    {kKeyF9, 0, kModsNone, "出力 (このシーンを出す)", key_act<toggle_output>},
    {kKeyF1, kKeyF10, kModsShiftHeld, "サイズを10％～100％に", key_act<with_scene<one_touch_size>>},
    {kKeyF1, kKeyF10, kModsAltBar, "グループのマークを呼ぶ", key_act<recall_group>},
    {kKeyF1, kKeyF10, kModsCtrl, "今のマークをグループに", key_act<store_group_key>},
};

constexpr ChwMouseRow kMouse[] = {
    {"クリック", "灯体にカーソル"},
    {"Shift+クリック", "マークからここまでマーク"},
    {"Ctrl+クリック", "マークの切り替え"},
    {"ドラッグ", "枠の中の灯体をマーク"},
    {"Ctrl+ドラッグ", "枠の中をマークに足す"},
};

constexpr ChwKeyTable kKeyTable{kKeys, kMouse, true};

}  // namespace

int editscn_open(ChwWindow* parent) {
    if (g.window || !g_screen) return 0;
    static const char* title = sj(" シーンの編集");
    const int left = g_screen->visible_columns() < kNarrowScreen ? 0 : 1;
    const int top = left;
    g.window = open_screen_window(parent, title, kStyleFramed | kStyleFooter, left, top,
                                  left + kWindowColumns - 1, top + kWindowRows - 1,
                                  {editscn_key, editscn_mouse, nullptr, editscn_draw,
                                   table_bit(ShowTable::kScenes) | table_bit(ShowTable::kGroups)});
    g.window->frame_select_handler = editscn_frame_select;
    g.window->key_table = &kKeyTable;
    g.cursor = ChwList(g.window, kGridColumns, kFixtures / kGridColumns, kFixtures / kGridColumns, kFixtures);
    g_screen->rubber_band.lock_count = 0;
    set_bar(EditscnBar::kNormal);
    g.output.note(g_engine);
    editscn_draw();
    return 1;
}

int editscn_close() {
    if (!g.window) return 0;
    if (g_screen) {
        g_screen->rubber_band.lock_count = 1;
        if (g.bar != EditscnBar::kNormal) clear_caption(*g_screen);
    }
    g.bar = EditscnBar::kNormal;
    write_show_table(ShowTable::kScenes);
    g.output.give_back();
    g.cursor = ChwList();
    close_screen_window(g.window);
    return 1;
}

bool editscn_is_open() { return g.window != nullptr; }
ChwWindow* editscn_window() { return g.window; }

void editscn_set_scene(int scene) { g.scene = shown_scene(scene); }
int editscn_scene() { return g.scene; }

void editscn_reset() {
    g.scene = 0;
    g.marks.fill(0);
}

void editscn_frame_select(const ChwRect& r, int flags) {
    if (!g.window || !g_screen) return;
    frame_select(g.marks, r, has_ctrl(flags), g.window->left, g.window->top, g_screen->font_size());
}

int editscn_key(int key, int flags) {
    if (!g.window || !g_screen) return kResultHandled;
    say("");
    if (g.cursor.key(*g_screen, key, flags)) return kResultHandled;
    int result = kResultHandled;
    dispatch_key(kKeys, key, flags, result);
    return result;
}

int editscn_mouse(int column, int row, int button, int flags) {
    if (!g.window || button != kButtonLeft) return 0;
    const int f = fixture_at_cell(g.window->left, g.window->top, column, row);
    if (f == kNone) return 0;
    const int before = cursor_fixture();
    go_to_fixture(f);
    if (has_shift(flags))
        mark_range(g.marks, before, f);
    else if (has_ctrl(flags))
        g.marks[f] = !g.marks[f];
    return 0;
}

int editscn_draw() {
    if (!g.window || !g_screen) return 0;
    const EditscnView view{g.scene, &g.marks, cursor_fixture()};
    draw_editscn_window(*g_screen, *g.window, view, g_show, g_engine.fields());
    return 0;
}

}  // namespace prismel
