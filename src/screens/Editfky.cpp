#include "screens/Editfky.h"

#include "data/show_records.h"

// Not built yet: the screen opens nothing.
namespace prismel {

int editfky_open(ChwWindow*) { return 0; }
int editfky_close() { return 0; }
bool editfky_is_open() { return false; }
ChwWindow* editfky_window() { return nullptr; }
int editfky_key(int, int) { return 0; }
int editfky_mouse(int, int, int, int) { return 0; }
int editfky_draw() { return 0; }

}  // namespace prismel
