#include "screens/Editscn.h"

#include "data/show_records.h"

// Not built yet: the screen opens nothing.
namespace prismel {

int editscn_open(ChwWindow*) { return 0; }
int editscn_close() { return 0; }
bool editscn_is_open() { return false; }
ChwWindow* editscn_window() { return nullptr; }
void editscn_set_scene(int scene) {}
int editscn_scene() { return kNone; }
void editscn_frame_select(const ChwRect& r, int flags) {}
int editscn_key(int, int) { return 0; }
int editscn_mouse(int, int, int, int) { return 0; }
int editscn_draw() { return 0; }

}  // namespace prismel
