#pragma once
// The patch editor's 8 x 8 grid of fixtures: each cell the fixture number
// over its type and start channel, drawn from the patch table on every tick,
// and the cell under a mouse click.
#include "chwin/chw_list.h"
#include "chwin/chw_screen.h"
#include "screens/setpat_rules.h"

namespace prismel {

constexpr int kSetpatGridColumns = 8;
constexpr int kSetpatGridRows = 8;

// Writes every fixture's cell into the window; the list's cursor cell is
// marked.
void draw_setpat_grid(ChwScreen& s, const ChwWindow& w, const ChwList& cursor, const PatchTable& patch);

// The fixture whose cell holds the screen cell (column, row), or kNone (the
// gap between cells included).
int setpat_fixture_at(const ChwWindow& w, int column, int row);

}  // namespace prismel
