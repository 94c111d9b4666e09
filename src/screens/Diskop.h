#pragma once
// The data folder screen: the show saved to and loaded from named folders
// under a data location. Opened from the data menu (F10).
#include <string>

namespace prismel {

struct ChwWindow;

// Opens the screen above `parent`: 1, or 0 when it was already open.
int diskop_open(ChwWindow* parent);
// Closes it as Esc does: 1, or 0 when it was not open.
int diskop_close();
bool diskop_is_open();
ChwWindow* diskop_window();  // while open, else nullptr

// The handlers installed on the window; public so that tests drive them.
int diskop_key(int key, int flags);
int diskop_draw();

// The data location (a folder path with its trailing separator), kept from
// one opening to the next; empty until the screen first opens.
const std::string& diskop_data_location();
void diskop_set_data_location(const std::string& location);

}  // namespace prismel
