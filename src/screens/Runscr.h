#pragma once
// The run screen: the window the operator plays the show from. GO, Back,
// jumps, scene and preset calls over the function keys, previews of other
// cues while Shift is held, and the output monitor on Shift+Esc.
//
// A module of free functions, like every screen: the main window opens it at
// the end of the title sequence and from the main menu (F9, Esc); once open,
// the window stack calls its handlers while it is the top window.

namespace prismel {

struct ChwWindow;

// Opens the run screen above `parent` (the main menu window). 1 when it
// opened, 0 when it was already open.
int runscr_open(ChwWindow* parent);
// Closes it (Esc does the same). 1, or 0 when it was not open.
int runscr_close();
bool runscr_is_open();
// The screen's window while it is open, else nullptr. The main window uses it
// to tell whether the run screen is on top (mouse input is ignored there
// unless the RunMouse option is on).
ChwWindow* runscr_window();

// The handlers installed on the window; public so tests can drive them.
int runscr_key(int key, int flags);
int runscr_mouse(int column, int row, int button, int flags);
int runscr_draw();

}  // namespace prismel
