#pragma once
// Every screen left as its own exit leaves it, for an orderly end of the
// program (a stop signal, the window closed): the editors write their tables
// and give the live show back, the run screen keeps its cross time.
#include "chwin/chw_screen.h"

namespace prismel {

// Closes the windows above the backdrop, the top one first, each through its
// screen's close function (a reference list through its own). Stops at a
// window no screen owns. Returns the number closed.
int close_open_screens(ChwScreen& screen);

}  // namespace prismel
