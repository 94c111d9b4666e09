#include "shell/main_menu.h"

#include "chwin/chw_colours.h"
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

ChwWindow* create_main_menu(ChwScreen& s) {
    ChwWindow* w = s.create_window(nullptr, "Prismel", kStyleBackdrop, 0, 0, ChwScreen::kColumns - 1,
                                   ChwScreen::kRows - 1);
    s.show_window(w);
    w->key_handler = [&s](int key, int flags) { return main_menu_key(s, key, flags); };
    g_main_menu = w;
    return w;
}

namespace {

void open(const std::function<void(ChwWindow*)>& screen) {
    if (screen) screen(g_main_menu);
}

}  // namespace

int main_menu_key(ChwScreen& s, int key, int flags) {
    MainMenuActions& a = main_menu_actions();
    switch (key) {
        case kKeyEsc:
        case kKeyF9: open(a.run_screen); break;
        case kKeyF1: open(a.scene_editor); break;
        case kKeyF2: open(a.chase_editor); break;
        case kKeyF3: open(a.cue_editor); break;
        case kKeyF4: open(a.user_colour_editor); break;
        case kKeyF5: open(a.fkey_editor); break;
        case kKeyF6: open(a.patch_editor); break;
        case kKeyF7:
            if (a.options_menu) a.options_menu();
            break;
        case kKeyF10:
            if (a.data_menu) a.data_menu();
            break;
        case kKeyF12: return kResultQuit;
        default: break;
    }
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
