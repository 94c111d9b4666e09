#include "screens/Diskop.h"

#include <string>
#include <vector>

#include "chwin/chw_field.h"
#include "chwin/chw_key_table.h"
#include "chwin/chw_keys.h"
#include "chwin/chw_list.h"
#include "chwin/chw_screen.h"
#include "data/show_files.h"
#include "data/text_fit.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "screens/Usrfunc.h"
#include "screens/diskop_seams.h"
#include "screens/screen_ask.h"
#include "screens/screen_bar.h"
#include "screens/screen_window.h"
#include "screens/show_reload.h"
#include "settings/env_settings.h"

namespace prismel {

namespace {

constexpr int kLeft = 4;
constexpr int kTop = 0;
constexpr int kRight = 50;
constexpr int kBottom = 25;
constexpr int kPageRows = 20;
constexpr int kNameBytes = 16;      // the typed name, and the name column
constexpr int kLocationBytes = 44;  // the data location's row
constexpr int kDateColumn = 20;
constexpr int kPauseMs = 500;

struct DiskopState {
    ChwWindow* window = nullptr;
    ChwList list;
    std::vector<SaveFolder> folders;
    // The location line as shown, and the location it was made from: it is
    // converted when the location changes, not on every tick.
    std::string shown_for;
    std::string shown;
};

DiskopState g;
// Kept from one opening to the next while the program runs.
std::string g_location;
DiskopSeams g_seams;

std::string program_folder() { return g_env ? g_env->program_folder : std::string(); }

void busy(bool on) {
    if (g_seams.set_busy_pointer) g_seams.set_busy_pointer(on);
}

void repaint_now() {
    if (g_seams.repaint_now) g_seams.repaint_now();
}

int folder_count() { return static_cast<int>(g.folders.size()); }

void scan() {
    busy(true);
    g.folders = scan_save_folders(g_location);
    busy(false);
    g.list.row_count = g.list.item_count = folder_count();
}

// The selected save folder, or nullptr.
const SaveFolder* selected() {
    const int i = g.list.index();
    return i >= 0 && i < folder_count() ? &g.folders[i] : nullptr;
}

void set_message_line(const char* text) {
    if (g_screen) g_screen->set_message_line(text);
}

// The copy's progress on the message line, painted as it changes.
class ProgressLine : public MessageLine {
public:
    void set(const char* cp932, bool beep) override {
        if (g_screen) g_screen->set(cp932, beep);
        repaint_now();
    }
};

// The row of the folder named `label`, or -1.
int row_of(const std::string& label) {
    for (int i = 0; i < folder_count(); ++i)
        if (g.folders[i].label == label) return i;
    return -1;
}

void new_folder() {
    static const char* prompt = sj("新規ﾌｫﾙﾀﾞ作成");
    static const char* exists = sj("同じ名前のフォルダがあります");
    static const char* bad_name = sj("フォルダ名に使えない文字があります");
    static const char* failed = sj("フォルダを作成できません");
    const TextAnswer typed = ask_text(Ask(g.window->left + 1, g.window->bottom - 1, kNameBytes, prompt));
    if (!typed.ok() || typed.text.empty()) return;
    const bool created = create_save_folder(g_location, typed.text);
    scan();
    // A folder of that name (made now, or there already) gets the cursor.
    const int row = row_of(typed.text);
    if (row >= 0) g.list.go_to_row(row);
    if (created) return;
    say(row >= 0 ? exists : !is_safe_folder_name(typed.text) ? bad_name : failed);
}

bool refuse_without_folder();

void delete_folder() {
    if (refuse_without_folder()) return;
    const SaveFolder* f = selected();
    static const char* question = sj("データを削除してもいいですか?");
    if (!ask_yes_no(question)) return;
    const int old_index = g.list.index();
    busy(true);
    const bool removed = delete_save_folder(g_location + f->name);
    busy(false);
    if (!removed) {
        static const char* failed = sj("削除に失敗しました");
        tell(failed);
    }
    scan();
    if (old_index >= folder_count()) g.list.row_up();
}

void choose_location() {
    static const char* title = sj("データ保存場所の指定");
    const std::optional<std::string> chosen = dialogs().choose_folder(title, default_data_location(program_folder()));
    if (!chosen) return;
    g_location = with_trailing_separator(*chosen);
    scan();
    g.list.first_item();
}

void default_location() {
    g_location = default_data_location(program_folder());
    scan();
    g.list.first_item();
}

// The window drawn inactive, the busy pointer and the first message shown
// before the copy runs; the copy's result, 7 or 0.
int copy_with_the_window_inactive(const char* first_message, bool saving) {
    const std::string folder = g_location + selected()->name;
    g_screen->draw_inactive(g.window);
    busy(true);
    set_message_line(first_message);
    repaint_now();
    if (g_seams.wait) g_seams.wait(kPauseMs);
    ProgressLine progress;
    const int copied = saving ? save_show_to_folder(program_folder(), folder, &progress)
                              : load_show_from_folder(program_folder(), folder, &progress);
    busy(false);
    set_message_line("");
    return copied;
}

void show_again() {
    g_screen->show_window(g.window);
    diskop_draw();
}

bool refuse_without_folder() {
    if (selected()) return false;
    static const char* none = sj("データフォルダがありません");
    say(none);
    return true;
}

void save() {
    if (refuse_without_folder()) return;
    static const char* saving = sj("データを保存中です...");
    static const char* done = sj("保存が完了しました");
    static const char* failed = sj("保存に失敗しました");
    const int copied = copy_with_the_window_inactive(saving, true);
    tell(copied >= 1 ? done : failed);
    show_again();
    scan();
}

void load() {
    if (refuse_without_folder()) return;
    static const char* loading = sj("データを読み込みです...");
    static const char* done = sj("読み込みが完了しました");
    static const char* failed = sj("読み込みに失敗しました");
    const int copied = copy_with_the_window_inactive(loading, false);
    if (copied >= 1) {
        reload_show(g_show, program_folder(), g_env ? g_env->preset_file : std::string());
        tell(done);
    } else {
        tell(failed);
    }
    show_again();
}

int close_screen() {
    diskop_close();
    return kResultRedrawTop;
}

// The keys act whatever modifiers are held.
constexpr ChwKeyRow kKeys[] = {
    {kKeyEsc, 0, kModsAny, "閉じる", key_act<close_screen>},
    {kKeyF1, 0, kModsAny, "新しいフォルダを作る", key_act<new_folder>},
    {kKeyF2, 0, kModsAny, "フォルダを削除", key_act<delete_folder>},
    {kKeyF3, 0, kModsAny, "データの保存場所を選ぶ", key_act<choose_location>},
    {kKeyF4, 0, kModsAny, "保存場所を元(DATA)に戻す", key_act<default_location>},
    {kKeyF5, 0, kModsAny, "ショーをフォルダに保存", key_act<save>},
    {kKeyF7, 0, kModsAny, "フォルダからショーを読込", key_act<load>},
};

constexpr ChwKeyTable kKeyTable{kKeys, {}, true};

void write_location(ChwScreen& s) {
    if (g.shown.empty() || g.shown_for != g_location) {
        g.shown_for = g_location;
        const std::string text = cp932_name_of(g_location);
        g.shown = text.substr(0, sjis_fit(text.c_str(), kLocationBytes));
    }
    at(s, *g.window, 1, 1);
    s.set_normal_colours();
    ChwField().left(g.shown.c_str(), kLocationBytes).write_to(s);
}

void write_folder_row(ChwScreen& s, int i, const SaveFolder& f) {
    char name[kNameBytes + 1];
    const std::size_t n = sjis_fit(f.label.c_str(), kNameBytes);
    f.label.copy(name, n);
    name[n] = '\0';
    s.set_normal_colours();
    g.list.mark_cursor_cell(s, i, 0);
    ChwField().left(name, kNameBytes).write_to(s);
    at(s, *g.window, kDateColumn, i + 3);
    if (f.date.empty()) {
        static const char* no_data = sj("データがありません");
        s.set_colours(WinNgFg, WinBg);
        s.write(no_data);
    } else {
        s.set_colours(WinHiFg, WinBg);
        s.write(f.date.c_str());
    }
}

}  // namespace

DiskopSeams& diskop_seams() { return g_seams; }

const std::string& diskop_data_location() { return g_location; }
void diskop_set_data_location(const std::string& location) { g_location = location; }

int diskop_open(ChwWindow* parent) {
    if (g.window || !g_screen) return 0;
    static const char* title = sj("データの保存/読み込み");
    g.window = open_screen_window(parent, title, kStyleFramed, kLeft, kTop, kRight, kBottom,
                                  {diskop_key, nullptr, nullptr, diskop_draw});
    if (!g.window) return 0;
    g.window->key_table = &kKeyTable;
    g.list = ChwList(g.window, 1, kPageRows, 0, 0);
    if (g_location.empty()) g_location = default_data_location(program_folder());
    FileSystem& fs = file_system();
    if (!fs.is_folder(g_location)) fs.make_folder(g_location);
    scan();
    diskop_draw();
    return 1;
}

int diskop_close() {
    if (!g.window) return 0;
    g.list = ChwList();
    g.folders.clear();
    g.folders.shrink_to_fit();
    g.shown.clear();
    close_screen_window(g.window);
    return 1;
}

bool diskop_is_open() { return g.window != nullptr; }
ChwWindow* diskop_window() { return g.window; }

int diskop_key(int key, int flags) {
    if (!g.window || !g_screen) return kResultHandled;
    set_message_line("");
    if (g.list.key(*g_screen, key, flags)) return kResultHandled;
    int result = kResultHandled;
    dispatch_key(kKeys, key, flags, result);
    return result;
}

int diskop_draw() {
    if (!g.window || !g_screen) return 0;
    ChwScreen& s = *g_screen;
    write_location(s);
    at(s, *g.window, 1, 2);
    static const char* name_label = sj(" データフォルダ名 ");
    static const char* date_label = sj(" 更新日                    ");
    write_labels(s, {name_label, date_label});
    for (int i = 0; i < kPageRows; ++i) {
        at(s, *g.window, 2, i + 3);
        const int e = g.list.top_row + i;
        if (e < folder_count()) write_folder_row(s, i, g.folders[e]);
        s.set_normal_colours();
        s.clear_to_frame(g.window);
    }
    static const char* labels = sj(" 新規| 削除|ﾌｫﾙﾀﾞ|ﾃﾞﾌｫﾙﾄ| 保存|$ 読込");
    keep_fkey_bar(s, labels);
    return 0;
}

}  // namespace prismel
