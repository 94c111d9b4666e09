#include "screens/Editchs.h"

#include "chwin/chw_key_table.h"
#include "chwin/chw_keys.h"
#include "chwin/chw_list.h"
#include "chwin/reflist.h"
#include "data/show_data.h"
#include "engine/playback_engine.h"
#include "engine/show_edit.h"
#include "platform/text_codec.h"
#include "screens/Editscn.h"
#include "screens/editchs_draw.h"
#include "screens/editchs_rules.h"
#include "screens/editchs_seams.h"
#include "screens/output_toggle.h"
#include "screens/picked.h"
#include "screens/screen_ask.h"
#include "screens/edited_tables.h"
#include "screens/screen_window.h"
#include "screens/table_write.h"

namespace prismel {

namespace {

constexpr int kLeft = 5;
constexpr int kTop = 1;
constexpr int kRight = 47;
constexpr int kRowsBelow = 5;  // bottom row = screen rows - 5

// Kept while the program runs; the window, the cursor and the noted depth
// only while the editor is open.
struct Editor {
    ChwWindow* window = nullptr;
    ChwList cursor;
    int chase = 0;
    StoredDuration test_rate{kDefaultDuration};
    OutputToggle output;
};

Editor g_ed;
EditchsSeams g_seams;

void refuse_full() {
    static const char* full = sj("これ以上ステップを増やせません");
    say(full);
}

bool has_chase() { return valid_chase(g_ed.chase); }
ChaseRecord& record() { return g_show.chases[g_ed.chase]; }
int position() { return g_ed.cursor.index(); }

// The cursor holds every step and the free slot after the last one. A
// cursor left beyond them (the chase lost steps) goes to the last item.
void fit_cursor() {
    const int items = has_chase() ? chase_cursor_items(record()) : 0;
    g_ed.cursor.row_count = g_ed.cursor.item_count = items;
    if (items > 0 && position() >= items) g_ed.cursor.go_to_row(items - 1);
}

void cursor_to_first() {
    fit_cursor();
    g_ed.cursor.first_item();
}

// The new step stands where the cursor was; the cursor moves on after it.
void insert_step(int scene) {
    bool inserted;
    {
        ShowEdit edit;
        inserted = insert_chase_step(record(), position(), scene);
    }
    if (!inserted) {
        if (chase_is_full(record())) refuse_full();
        return;
    }
    fit_cursor();
    g_ed.cursor.row_down();
}

void insert_typed(int digit_key) {
    if (chase_is_full(record())) {
        refuse_full();
        return;
    }
    const ChwWindow& w = *g_ed.window;
    const char typed[2] = {static_cast<char>(digit_key), '\0'};
    const Ask at = Ask(w.left + 11, w.top + g_ed.cursor.cursor_row + kEditchsFirstStepRow, 3)
                       .with_text(typed)
                       .with_list(inp_mode::kSceneRef);
    const IntAnswer a = ask_integer(at, 1, kScenes);
    if (a.answer == Answer::kListRequested)
        open_scene_list(g_ed.window);
    else if (a.ok())
        insert_step(a.value - 1);
}

void offer_scene_list() {
    if (chase_is_full(record()))
        refuse_full();
    else
        open_scene_list(g_ed.window);
}

void refuse_no_step() {
    static const char* none = sj("カーソルの位置にステップがありません");
    say(none);
}

void remove_step() {
    if (position() >= step_count_of(record())) return refuse_no_step();
    {
        ShowEdit edit;
        remove_chase_step(record(), position());
    }
    fit_cursor();
}

void choose_chase() {
    const ChwWindow& w = *g_ed.window;
    const IntAnswer a = ask_integer(Ask(w.left + 6, w.top + 1, 4).with_list(inp_mode::kChaseRef), 1, kChases);
    if (a.answer == Answer::kListRequested)
        open_chase_list(g_ed.window);
    else if (a.ok())
        editchs_set_chase(a.value - 1);
}

void rename() {
    const ChwWindow& w = *g_ed.window;
    const TextAnswer a = ask_text(Ask(w.left + 17, w.top + 1, 20).with_text(name_text(record().name).text));
    if (!a.ok()) return;
    ShowEdit edit;
    set_chase_name(record(), a.text);
}

void open_scene_editor() {
    if (position() >= step_count_of(record())) return refuse_no_step();
    const int scene = chase_step_scene(record(), position());
    if (g_seams.open_scene_editor) {
        g_seams.open_scene_editor(scene, g_ed.window);
        return;
    }
    editscn_set_scene(scene);
    editscn_open(g_ed.window);
}

void copy_from() {
    static const char* prompt = sj("ｺﾋﾟｰ ﾁｪｲｽ番号=");
    const ChwWindow& w = *g_ed.window;
    const IntAnswer a = ask_integer(Ask(w.left + 2, w.bottom - 1, 3, prompt), 1, kChases);
    if (!a.ok()) return;
    {
        ShowEdit edit;
        copy_chase(record(), g_show.chases[a.value - 1]);
    }
    cursor_to_first();
}

void clear_steps() {
    static const char* question = sj("全ステップをクリアしますか?");
    if (!ask_yes_no(question)) return;
    {
        ShowEdit edit;
        clear_chase_steps(record());
    }
    cursor_to_first();
}

// The test rate; a test of this chase (or the show, when it plays this
// chase) takes it at once. Its cross time stays as it started.
void set_test_rate() {
    const ChwWindow& w = *g_ed.window;
    const DurationAnswer a = ask_seconds(Ask(w.left + 15, w.top + 2, 5));
    if (!a.ok()) return;
    g_ed.test_rate = a.value;
    g_engine.set_chase_rate(g_ed.chase, g_ed.test_rate);
}

void toggle_output() {
    static const char* empty = sj("ステップのないチェイスは出力できません");
    const int chase = g_ed.chase;
    const StoredDuration rate = g_ed.test_rate;
    const bool was_testing = g_ed.output.testing();
    const bool testing = g_ed.output.toggle(step_count_of(record()) > 0, [chase, rate] {
        g_engine.go_to_cue(kNone);
        g_engine.start_chase(chase, rate, rate, 0);
    });
    if (!was_testing && !testing) say(empty);
}

void take_list_result() {
    const Picked p = take_picked(*g_screen);
    if (p.is(kPickedChase))
        editchs_set_chase(p.index);
    else if (p.is(kPickedScene) && has_chase())
        insert_step(p.index);
}

// The keys that need a chase say so while none is chosen.
template <auto F>
void with_chase(int key) {
    static const char* none = sj("チェイスが選ばれていません (F1で選ぶ)");
    if (!has_chase()) return say(none);
    if constexpr (std::is_invocable_v<decltype(F), int>) F(key);
    else F();
}

int close_editor() {
    editchs_close();
    return kResultRedrawTop;
}

constexpr ChwKeyRow kKeys[] = {
    {kKeyRefresh, 0, kModsAny, nullptr, key_act<take_list_result>},
    {kKeyEsc, 0, kModsAny, "閉じる (チェイスを保存)", key_act<close_editor>},
    {kKey0, kKey9, kModsNone, "シーン番号でステップを挿入", key_act<with_chase<insert_typed>>},
    {kKeyDelete, 0, kModsNone, "カーソルのステップを削除", key_act<with_chase<remove_step>>},
    {kKeyF1, 0, kModsNone, "チェイス番号を入れる", key_act<choose_chase>},
    {kKeyF2, 0, kModsNone, "チェイス名を入れる", key_act<with_chase<rename>>},
    {kKeyF3, 0, kModsNone, "シーンの一覧から挿入", key_act<with_chase<offer_scene_list>>},
    {kKeyF5, 0, kModsNone, "ステップのシーンを編集", key_act<with_chase<open_scene_editor>>},
    {kKeyF6, 0, kModsNone, "他のチェイスからコピー", key_act<with_chase<copy_from>>},
    {kKeyF7, 0, kModsNone, "全ステップをクリア", key_act<with_chase<clear_steps>>},
    {kKeyF8, 0, kModsNone, "テストレートを入れる", key_act<with_chase<set_test_rate>>},
    {kKeyF9, 0, kModsNone, "出力 (このチェイスを出す)", key_act<with_chase<toggle_output>>},
};

constexpr ChwMouseRow kMouse[] = {
    {"クリック", "そのステップにカーソル"},
};

constexpr ChwKeyTable kKeyTable{kKeys, kMouse, true};

bool on_top() { return g_ed.window && g_screen && g_screen->top_window() == g_ed.window; }

}  // namespace

EditchsSeams& editchs_seams() { return g_seams; }

int editchs_open(ChwWindow* parent) {
    if (g_ed.window || !g_screen) return 0;
    static const char* title = sj(" チェイスの編集");
    const int bottom = g_screen->visible_rows() - kRowsBelow;
    g_ed.window = open_screen_window(parent, title, kStyleFramed | kStyleFooter, kLeft, kTop, kRight, bottom,
                                     {editchs_key, editchs_mouse, nullptr, editchs_draw, table_bit(ShowTable::kChases)});
    if (!g_ed.window) return 0;
    g_ed.window->key_table = &kKeyTable;
    g_ed.cursor = ChwList(g_ed.window, 1, editchs_step_rows(*g_ed.window), 0, 0);
    fit_cursor();
    g_ed.output.note(g_engine);
    editchs_draw();
    return 1;
}

int editchs_close() {
    if (!g_ed.window) return 0;
    write_show_table(ShowTable::kChases);
    g_ed.output.give_back();
    g_ed.cursor = ChwList();
    close_screen_window(g_ed.window);
    return 1;
}

bool editchs_is_open() { return g_ed.window != nullptr; }
ChwWindow* editchs_window() { return g_ed.window; }

void editchs_set_chase(int chase) {
    g_ed.chase = valid_chase(chase) ? chase : kNone;
    if (g_ed.window) cursor_to_first();
}

int editchs_chase() { return g_ed.chase; }

StoredDuration editchs_test_rate() { return g_ed.test_rate; }
void editchs_set_test_rate(StoredDuration rate) { g_ed.test_rate = rate; }

int editchs_key(int key, int flags) {
    if (!g_ed.window || !g_screen) return kResultHandled;
    say("");
    int result = kResultHandled;
    // The cursor keeps the keys it moves on.
    if (!g_ed.cursor.key(*g_screen, key, flags)) dispatch_key(kKeys, key, flags, result);
    if (result == kResultRedrawTop) return result;  // closed
    // The result shows at once, not a tick later (the key may have opened a
    // window above this one, which then draws itself).
    editchs_draw();
    return result;
}

int editchs_mouse(int column, int row, int button, int) {
    if (!g_ed.window || button != kButtonLeft) return 0;
    const ChwWindow& w = *g_ed.window;
    const int page_row = row - w.top - kEditchsFirstStepRow;
    if (column <= w.left || column >= w.right) return 0;
    if (page_row < 0 || page_row >= editchs_step_rows(w)) return 0;
    g_ed.cursor.go_to_row(g_ed.cursor.top_row + page_row);
    editchs_draw();
    return 0;
}

int editchs_draw() {
    if (!on_top()) return 0;
    fit_cursor();
    draw_chase_editor(*g_screen, *g_ed.window, g_ed.cursor, g_ed.chase, g_ed.test_rate, g_engine.fields());
    return 0;
}

}  // namespace prismel
