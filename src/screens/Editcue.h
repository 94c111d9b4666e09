#pragma once
// The cue editor: the 1000 cue records as a table of eight columns.
// Opened from the main menu (F3).
namespace prismel {

struct ChwWindow;

// Opens the screen above `parent`: 1, or 0 when it was already open.
int editcue_open(ChwWindow* parent);
// Closes it as Esc does: 1, or 0 when it was not open.
int editcue_close();
bool editcue_is_open();
ChwWindow* editcue_window();  // while open, else nullptr

// The handlers installed on the window; public so that tests drive them.
int editcue_key(int key, int flags);
int editcue_mouse(int column, int row, int button, int flags);
int editcue_draw();

}  // namespace prismel
