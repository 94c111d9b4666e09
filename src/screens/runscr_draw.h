#pragma once
// The run screen's redraw: fixture colours, the cue list around the current
// cue, the status text, the caption and the function-key bar. It rewrites the
// whole window from the engine's state on every tick; the character screen
// repaints only the cells that changed.
#include "chwin/chw_screen.h"
#include "engine/engine_state.h"

namespace prismel {

// Forgets what the last redraw showed and fixes the cue list's length
// (rows), as when the window is made.
void runscr_draw_reset(int list_rows);

// Draws window w from the engine fields f. hold: the engine's hold counter;
// while it is raised the fixture colours keep what they last showed. shift:
// the Shift key is down (the auxiliary bar).
void runscr_draw_window(ChwScreen& s, const ChwWindow& w, const EngineFields& f, int hold, bool shift);

}  // namespace prismel
