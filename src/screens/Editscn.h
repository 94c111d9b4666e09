#pragma once
// The scene editor: the 200 scenes, fixture by fixture on an 8 x 8 grid.
// Opened from the main menu (F1) and on top of the chase and cue editors.
#include "chwin/chw_geometry.h"

namespace prismel {

struct ChwWindow;

// Opens the screen above `parent`: 1, or 0 when it was already open.
int editscn_open(ChwWindow* parent);
// Closes it as Esc does: 1, or 0 when it was not open.
int editscn_close();
bool editscn_is_open();
ChwWindow* editscn_window();  // while open, else nullptr

// The scene shown when the editor opens next (the chase and cue editors set
// it before opening the editor on top of themselves); kNone, or any index
// outside the table, for none.
void editscn_set_scene(int scene);

// The scene the editor shows, or kNone.
int editscn_scene();

// The frame selection of a drag that ended: the rectangle in client pixels
// and the modifier flags.
void editscn_frame_select(const ChwRect& r, int flags);

// Forgets what the editor keeps while the program runs (the scene, the
// marks), as at start-up: scene 1, nothing marked.
void editscn_reset();

// The handlers installed on the window; public so that tests drive them.
int editscn_key(int key, int flags);
int editscn_mouse(int column, int row, int button, int flags);
int editscn_draw();

}  // namespace prismel
