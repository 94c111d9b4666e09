#pragma once
// The chase editor: the 50 chases as lists of scene steps, tested at a rate.
// Opened from the main menu (F2) and on top of the cue editor.
#include "engine/duration.h"

namespace prismel {

struct ChwWindow;

// Opens the screen above `parent`: 1, or 0 when it was already open.
int editchs_open(ChwWindow* parent);
// Closes it as Esc does: 1, or 0 when it was not open.
int editchs_close();
bool editchs_is_open();
ChwWindow* editchs_window();  // while open, else nullptr

// The chase shown when the editor opens next (the cue editor sets it before
// opening the editor on top of itself); kNone, or any index outside the
// table, for none.
void editchs_set_chase(int chase);

// The chase the editor shows, or kNone.
int editchs_chase();

// The rate "出力" tests the chase at (1.0 s until changed, kept while the
// program runs).
StoredDuration editchs_test_rate();
void editchs_set_test_rate(StoredDuration rate);

// The handlers installed on the window; public so that tests drive them.
int editchs_key(int key, int flags);
int editchs_mouse(int column, int row, int button, int flags);
int editchs_draw();

}  // namespace prismel
