#pragma once
// The two rows every screen keeps under its window: the caption row and the
// function-key bar below it.
#include "chwin/chw_screen.h"

namespace prismel {

// Puts a screen's labels back on the bar, unless the one-line input has its
// own up or they are already there. Draw handlers call it on every tick.
void keep_fkey_bar(ChwScreen& s, const char* labels);

// The caption row above the bar, from column 1, in WinNgFg on HeaderG, padded
// with blanks to `width` bytes (0: the text as it is).
void write_caption(ChwScreen& s, const char* text, int width = 72);
// Blanks across the caption row.
void clear_caption(ChwScreen& s);

}  // namespace prismel
