#pragma once
// The main menu: the backdrop window at the bottom of the stack. Its key
// handler opens the operator screens and the two pop-up menus and asks for
// the end of the program; its labels sit on the caption row and the
// function-key bar whenever it is the top window.
#include <functional>

#include "chwin/chw_screen.h"

namespace prismel {

// What the main menu opens. Each screen opens above the main menu window; an
// unset entry opens nothing (its screen does not exist yet).
struct MainMenuActions {
    std::function<void(ChwWindow* parent)> run_screen;          // Esc, F9
    std::function<void(ChwWindow* parent)> scene_editor;        // F1
    std::function<void(ChwWindow* parent)> chase_editor;        // F2
    std::function<void(ChwWindow* parent)> cue_editor;          // F3
    std::function<void(ChwWindow* parent)> user_colour_editor;  // F4
    std::function<void(ChwWindow* parent)> fkey_editor;         // F5
    std::function<void(ChwWindow* parent)> patch_editor;        // F6
    std::function<void()> options_menu;                          // F7
    std::function<void()> data_menu;                             // F10
};

MainMenuActions& main_menu_actions();

// The main menu window while the program runs, else nullptr.
extern ChwWindow* g_main_menu;

// Creates the backdrop over the whole grid, shows it and installs the
// dispatcher as its key handler.
ChwWindow* create_main_menu(ChwScreen& s);

// The dispatcher: F12 gives kResultQuit, everything else 0. After a screen
// has opened, the caption row is cleared so that the menu's group labels do
// not show under it.
int main_menu_key(ChwScreen& s, int key, int flags);

// Group labels on the caption row and the menu's function-key labels.
void draw_main_menu_labels(ChwScreen& s);

// Opens the run screen above the main menu (the end of the title sequence,
// Esc and F9).
void open_run_screen(ChwWindow* parent);

}  // namespace prismel
