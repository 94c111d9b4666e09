#pragma once
// The function-key editor's window content: the header and one row per key
// with its type, target and times, the cursor's cell highlighted.
#include "chwin/chw_list.h"
#include "chwin/chw_screen.h"
#include "data/show_records.h"

namespace prismel {

// Rewrites the interior of w from the ten records, and puts the editor's
// labels back on the bar.
void editfky_draw_window(ChwScreen& s, const ChwWindow& w, const ChwList& cursor, const FkeyRecord* fkeys);

}  // namespace prismel
