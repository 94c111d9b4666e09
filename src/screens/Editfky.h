#pragma once
// The function-key editor: the ten presets the run screen fires with F1-F10
// in preset call mode. Opened from the main menu (F5).
namespace prismel {

struct ChwWindow;

// Opens the screen above `parent`: 1, or 0 when it was already open.
int editfky_open(ChwWindow* parent);
// Closes it as Esc does: 1, or 0 when it was not open.
int editfky_close();
bool editfky_is_open();
ChwWindow* editfky_window();  // while open, else nullptr

// The handlers installed on the window; public so that tests drive them.
int editfky_key(int key, int flags);
int editfky_mouse(int column, int row, int button, int flags);
int editfky_draw();

}  // namespace prismel
