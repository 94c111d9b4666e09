#include "shell/main_menu.h"

#include "chwin/chw_colours.h"
#include "chwin/chw_key_table.h"
#include "chwin/chw_keys.h"
#include "platform/text_codec.h"
#include "screens/Editchs.h"
#include "screens/Editcol.h"
#include "screens/Editcue.h"
#include "screens/Editfky.h"
#include "screens/Editscn.h"
#include "screens/Runscr.h"
#include "screens/Setpat.h"

namespace prismel {

ChwWindow* g_main_menu = nullptr;

MainMenuActions& main_menu_actions() {
    static MainMenuActions actions = [] {
        MainMenuActions a;
        a.run_screen = open_run_screen;
        a.scene_editor = editscn_open;
        a.chase_editor = editchs_open;
        a.cue_editor = editcue_open;
        a.user_colour_editor = editcol_open;
        a.fkey_editor = editfky_open;
        a.patch_editor = setpat_open;
        return a;
    }();
    return actions;
}

void open_run_screen(ChwWindow* parent) { runscr_open(parent); }

namespace {

void open(const std::function<void(ChwWindow*)>& screen) {
    if (screen) screen(g_main_menu);
}

void run_screen() { open(main_menu_actions().run_screen); }
void scene_editor() { open(main_menu_actions().scene_editor); }
void chase_editor() { open(main_menu_actions().chase_editor); }
void cue_editor() { open(main_menu_actions().cue_editor); }
void user_colour_editor() { open(main_menu_actions().user_colour_editor); }
void fkey_editor() { open(main_menu_actions().fkey_editor); }
void patch_editor() { open(main_menu_actions().patch_editor); }

void options_menu() {
    if (MainMenuActions& a = main_menu_actions(); a.options_menu) a.options_menu();
}

void data_menu() {
    if (MainMenuActions& a = main_menu_actions(); a.data_menu) a.data_menu();
}

int quit() { return kResultQuit; }

// The keys act whatever modifiers are held.
constexpr ChwKeyRow kKeys[] = {
    {kKeyEsc, 0, kModsAny, "実行状態 (本番の画面)", key_act<run_screen>},
    {kKeyF9, 0, kModsAny, "実行状態 (本番の画面)", key_act<run_screen>},
    {kKeyF1, 0, kModsAny, "シーンの編集", key_act<scene_editor>},
    {kKeyF2, 0, kModsAny, "チェイスの編集", key_act<chase_editor>},
    {kKeyF3, 0, kModsAny, "キューの編集", key_act<cue_editor>},
    {kKeyF4, 0, kModsAny, "ユーザ色の編集", key_act<user_colour_editor>},
    {kKeyF5, 0, kModsAny, "ファンクションキーの設定", key_act<fkey_editor>},
    {kKeyF6, 0, kModsAny, "灯体の設定 (パッチ)", key_act<patch_editor>},
    {kKeyF7, 0, kModsAny, "オプションのメニュー", key_act<options_menu>},
    {kKeyF10, 0, kModsAny, "ﾃﾞｨｽｸ(データ)のメニュー", key_act<data_menu>},
    {kKeyF12, 0, kModsAny, "Prismelを終了", key_act<quit>},
};

constexpr ChwKeyTable kKeyTable{kKeys, {}};

}  // namespace

ChwWindow* create_main_menu(ChwScreen& s) {
    ChwWindow* w = s.create_window(nullptr, "Prismel", kStyleBackdrop, 0, 0, ChwScreen::kColumns - 1,
                                   ChwScreen::kRows - 1);
    s.show_window(w);
    w->key_handler = [&s](int key, int flags) { return main_menu_key(s, key, flags); };
    w->key_table = &kKeyTable;
    g_main_menu = w;
    return w;
}

int main_menu_key(ChwScreen& s, int key, int flags) {
    int result = kResultHandled;
    dispatch_key(kKeys, key, flags, result);
    if (result == kResultQuit) return result;
    if (s.top_window() != g_main_menu && s.fkey_row() >= 0) s.clear_row(s.fkey_row() - 1);
    return kResultHandled;
}

void draw_main_menu_labels(ChwScreen& s) {
    const int caption = s.fkey_row() - 1;
    if (s.fkey_row() < 0) return;
    static const char* edit = sj(" 編集");
    static const char* setup = sj(" 設定");
    static const char* other = sj(" その他");
    static const char* labels = sj("シーン|チｪｲｽ|キュー|ﾕｰｻﾞ色|Ｆキー|灯体設|ｵﾌﾟｼｮﾝ|$ 実行|ﾃﾞｨｽｸ|$ 終了");
    s.set_dark_text(HeaderG);
    s.move_cursor(1, caption);
    s.writef("%-28s", edit);
    s.move_cursor(30, caption);
    s.writef("%-21s", setup);
    s.move_cursor(67, caption);
    s.writef("%-20s", other);
    s.draw_fkey_bar(labels);
}

}  // namespace prismel
