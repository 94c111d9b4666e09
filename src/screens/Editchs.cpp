#include "screens/Editchs.h"

#include "data/show_records.h"

// Not built yet: the screen opens nothing.
namespace prismel {

int editchs_open(ChwWindow*) { return 0; }
int editchs_close() { return 0; }
bool editchs_is_open() { return false; }
ChwWindow* editchs_window() { return nullptr; }
void editchs_set_chase(int chase) {}
int editchs_chase() { return kNone; }
int editchs_key(int, int) { return 0; }
int editchs_mouse(int, int, int, int) { return 0; }
int editchs_draw() { return 0; }

}  // namespace prismel
