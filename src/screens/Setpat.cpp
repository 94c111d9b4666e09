#include "screens/Setpat.h"

#include "data/show_records.h"

// Not built yet: the screen opens nothing.
namespace prismel {

int setpat_open(ChwWindow*) { return 0; }
int setpat_close() { return 0; }
bool setpat_is_open() { return false; }
ChwWindow* setpat_window() { return nullptr; }
int setpat_key(int, int) { return 0; }
int setpat_mouse(int, int, int, int) { return 0; }
int setpat_draw() { return 0; }

}  // namespace prismel
