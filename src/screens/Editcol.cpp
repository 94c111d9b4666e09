#include "screens/Editcol.h"

#include "data/show_records.h"

// Not built yet: the screen opens nothing.
namespace prismel {

int editcol_open(ChwWindow*) { return 0; }
int editcol_close() { return 0; }
bool editcol_is_open() { return false; }
ChwWindow* editcol_window() { return nullptr; }
int editcol_key(int, int) { return 0; }
int editcol_mouse(int, int, int, int) { return 0; }
int editcol_draw() { return 0; }

}  // namespace prismel
