#include "screens/Editscn.h"

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
    if (!scene_selected()) return;
    const ChwWindow& w = *g.window;
    const TextAnswer typed =
        ask_text(Ask(w.left + 17, w.top + 1, 20).with_text(name_text(g_show.scenes[g.scene].name).text));
    if (!typed.ok()) return;
    edit_scene([&](SceneRecord& r) { set_scene_name(r, typed.text.c_str()); });
}

void colour_by_name() {
    if (!scene_selected()) return;
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
    if (!scene_selected()) return;
    static const char* prompt = sj("サイズ(0～100)=");
    const ChwWindow& w = *g.window;
    const IntAnswer typed = ask_integer(Ask(w.left + 2, w.bottom - 1, 4, prompt), 0, 100);
    if (typed.ok()) assign_size_to_touched(size_of_percent(typed.value));
}

void copy_from_scene() {
    if (!scene_selected()) return;
    static const char* prompt = sj("ｺﾋﾟｰ ｼｰﾝ番号=");
    const ChwWindow& w = *g.window;
    const IntAnswer typed = ask_integer(Ask(w.left + 2, w.bottom - 1, 4, prompt), 1, kScenes);
    const int from = typed.ok() ? shown_scene(typed.value - 1) : kNone;
    if (from == kNone) return;
    edit_scene([&](SceneRecord& r) { copy_scene(g_show.scenes[from], r); });
}

void copy_to_next() {
    const int target = plus_one_target(g.scene);
    if (target == kNone) return;
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
    g.output.toggle(valid_scene(scene), [scene] {
        g_engine.go_to_cue(kNone);
        g_engine.call_scene(scene, StoredDuration(0));
    });
}

void store_group(int group) {
    group_from_marks(g_show.groups[group], g.marks);
    write_show_table(ShowTable::kGroups);
}

void plain_function_key(int n) {
    switch (n) {
        case 1: choose_scene(); break;
        case 2: rename_scene(); break;
        case 3: colour_by_name(); break;
        case 4: size_by_percent(); break;
        case 5:
            if (scene_selected()) open_colour_list(g.window);
            break;
        case 6: toggle_all_marks(g.marks); break;
        case 7: copy_from_scene(); break;
        case 8: copy_to_next(); break;
        case 9: toggle_output(); break;
        default: break;  // F10-F12
    }
}

void function_key(int n, int flags) {
    if (n > 10) return;
    switch (bar_of_modifiers(flags)) {
        case EditscnBar::kSize:
            if (scene_selected()) assign_size_to_touched(size_of_percent(n * 10));
            break;
        case EditscnBar::kGroupRecall: marks_from_group(g.marks, g_show.groups[n - 1]); break;
        case EditscnBar::kGroupStore: store_group(n - 1); break;
        default: plain_function_key(n); break;
    }
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
    switch (key) {
        case kKeyEsc: editscn_close(); return kResultRedrawTop;
        case kKeyRefresh:
            take_list_result();
            set_bar(bar_of_modifiers(flags));
            break;
        case kKeyShift:
        case kKeyCtrl:
        case kKeyAlt: set_bar(bar_of_modifiers(flags)); break;
        case kKeySpace: {
            uint8_t& mark = g.marks[cursor_fixture()];
            mark = !mark;
            g.cursor.next_item();
            break;
        }
        case kKeyDelete: edit_touched(clear_fixtures); break;
        default:
            if (key >= kKeyF1 && key <= kKeyF12) function_key(key - kKeyF1 + 1, flags);
            break;
    }
    return kResultHandled;
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
