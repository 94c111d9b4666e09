#include "screens/Editcue.h"

#include "data/show_records.h"

// Not built yet: the screen opens nothing.
namespace prismel {

int editcue_open(ChwWindow*) { return 0; }
int editcue_close() { return 0; }
bool editcue_is_open() { return false; }
ChwWindow* editcue_window() { return nullptr; }
int editcue_key(int, int) { return 0; }
int editcue_mouse(int, int, int, int) { return 0; }
int editcue_draw() { return 0; }

}  // namespace prismel
