#pragma once
// The cue editor's window: the output status line, the column labels and one
// row of the cue table per visible row, each cell at its column and the cell
// under the cursor highlighted.
#include "chwin/chw_list.h"
#include "chwin/chw_screen.h"
#include "data/show_data.h"

namespace prismel {

constexpr int kCueColumns = 8;  // number, wait, scene, cross, chase, rate, cross, mode
// Window-relative column of each cell, where it is drawn and its input opens.
constexpr int kCueCellX[kCueColumns] = {2, 9, 14, 39, 47, 71, 76, 82};
constexpr int kCueStatusRow = 1;
constexpr int kCueLabelRow = 2;
constexpr int kCueFirstRow = 3;  // window row of the first visible record

// The column a click selects, from its column counted from the window's
// column 1; -1 between the cells.
int cue_column_at(int column_from_one);

// A stored time as the table shows it: "%4.1f" seconds, "****" when that
// does not fit the four cells (only a damaged file holds such a value).
struct CueCellText {
    char text[8];
};
CueCellText cue_time_text(int stored);
// The wait: "__._" for 0 (and below): the cue waits for GO.
CueCellText cue_wait_text(int stored);
// "L", "S", or "_" for a mode that is neither.
const char* cue_mode_text(int mode);

// "出力 " and the engine's status text on row 1.
void draw_cue_output_status(ChwScreen& s, const ChwWindow& w);
// The labels and the visible records.
void draw_cue_table(ChwScreen& s, const ChwWindow& w, const ChwList& list, const ShowData& show);

}  // namespace prismel
