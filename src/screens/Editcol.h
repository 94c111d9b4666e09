#pragma once
// The user colour editor: colours 401-500, mixed from Y, M and C and shown
// on every fixture while they are judged. Opened from the main menu (F4).
namespace prismel {

struct ChwWindow;

// Opens the screen above `parent`: 1, or 0 when it was already open.
int editcol_open(ChwWindow* parent);
// Closes it as Esc does: 1, or 0 when it was not open.
int editcol_close();
bool editcol_is_open();
ChwWindow* editcol_window();  // while open, else nullptr

// The handlers installed on the window; public so that tests drive them.
int editcol_key(int key, int flags);
int editcol_mouse(int column, int row, int button, int flags);
int editcol_draw();

}  // namespace prismel
