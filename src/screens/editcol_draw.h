#pragma once
// The user colour editor's window content, rewritten from the colour table
// and the engine on every tick: the output status, the header, one row per
// visible user colour with its swatch, and the function-key bar.
#include "chwin/chw_list.h"
#include "chwin/chw_screen.h"
#include "data/show_data.h"
#include "engine/engine_state.h"

namespace prismel {

// Window rows: the status, the header, then the colours.
constexpr int kEditcolStatusRow = 1;
constexpr int kEditcolHeaderRow = 2;
constexpr int kEditcolFirstRow = 3;

// Window columns of the fields (and of their inputs).
constexpr int kEditcolNumberAt = 2;
constexpr int kEditcolNameAt = 7;
constexpr int kEditcolSwatchAt = 15;
constexpr int kEditcolLevelAt[3] = {20, 25, 30};  // Y, M, C

void editcol_draw_window(ChwScreen& s, const ChwWindow& w, const ChwList& cursor, const EngineFields& f,
                         const ShowData& show);

}  // namespace prismel
