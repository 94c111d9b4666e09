#pragma once
// The chase editor's window drawn from the chase, the test rate and what the
// engine plays: the chase number and name, the test rate and the output
// status, the step list with its cursor and the step being played, the bar.
#include "chwin/chw_list.h"
#include "chwin/chw_screen.h"
#include "engine/duration.h"
#include "engine/engine_state.h"

namespace prismel {

// Window-relative row of the first step; the steps fill the rows down to
// the footer separator.
constexpr int kEditchsFirstStepRow = 4;
inline int editchs_step_rows(const ChwWindow& w) { return w.bottom - w.top - 6; }

// The function-key bar (CP932).
const char* editchs_bar_labels();

// chase: 0-49, or kNone (no chase selected: no steps, no cursor).
void draw_chase_editor(ChwScreen& s, const ChwWindow& w, const ChwList& cursor, int chase,
                       StoredDuration test_rate, const EngineFields& engine);

}  // namespace prismel
