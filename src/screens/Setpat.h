#pragma once
// The fixture patch editor: type and start channel of the 64 fixtures.
// Opened from the main menu (F6).
namespace prismel {

struct ChwWindow;

// Opens the screen above `parent`: 1, or 0 when it was already open.
int setpat_open(ChwWindow* parent);
// Closes it as Esc does: 1, or 0 when it was not open.
int setpat_close();
bool setpat_is_open();
ChwWindow* setpat_window();  // while open, else nullptr
// The fixture under the cursor (0-63) while open, else -1.
int setpat_cursor_fixture();

// The handlers installed on the window; public so that tests drive them.
int setpat_key(int key, int flags);
int setpat_mouse(int column, int row, int button, int flags);
int setpat_draw();

}  // namespace prismel
