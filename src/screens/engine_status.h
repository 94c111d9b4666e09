#pragma once
// The engine's one-line status in the editors: what the output is playing
// now (colour preview, cue, scene or chase), written at the screen's cursor.
#include "chwin/chw_screen.h"
#include "data/show_data.h"
#include "engine/engine_state.h"

namespace prismel {

void write_engine_status(ChwScreen& s, const EngineFields& f, const ShowData& show);
// The running console's: g_engine on g_screen (nothing without a screen).
void write_engine_status();

}  // namespace prismel
