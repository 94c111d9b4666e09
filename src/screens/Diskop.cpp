#include "screens/Diskop.h"

#include "data/show_records.h"

// Not built yet: the screen opens nothing.
namespace prismel {

int diskop_open(ChwWindow*) { return 0; }
int diskop_close() { return 0; }
bool diskop_is_open() { return false; }
ChwWindow* diskop_window() { return nullptr; }
int diskop_key(int, int) { return 0; }
int diskop_mouse(int, int, int, int) { return 0; }
int diskop_draw() { return 0; }

}  // namespace prismel
