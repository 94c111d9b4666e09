#pragma once
// The cue editor's edits of the list as a whole: a point cue put in before
// the cursor cue or taken out, and a range of cues copied (F6, F7, F8). The
// rules are editcue_rules.h; here the operator is asked and told.
#include <functional>

#include "screens/editcue_cells.h"

namespace prismel {

// F6: asks for the number of a point cue to go in before the cursor cue.
void insert_point_cue_asked(const CueCursor& c);
// F7: takes out the cursor cue when it is a point cue.
void delete_point_cue_told(const CueCursor& c);
// F8: asks for the first and last source and the destination on the
// window's footer line; `redraw` brings the table up to date between the
// questions.
void copy_cue_range_asked(const ChwWindow& w, const std::function<void()>& redraw);

}  // namespace prismel
