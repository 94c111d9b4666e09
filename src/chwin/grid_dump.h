#pragma once
// The grid as UTF-8 text, one line per row, for tests and debugging.
#include <string>

#include "chwin/chw_screen.h"

namespace prismel {

// Text of n cells of a row from a column (n < 0: to the last column), UTF-8.
// A level gauge shows as a block character; a lone lead byte as '?'.
std::string row_text(const ChwScreen& s, int row, int column = 0, int n = -1);

struct GridDumpOptions {
    int first_row = 0;
    int last_row = -1;       // -1: visible rows - 1
    int columns = -1;        // -1: visible columns
    bool details = false;    // after each row, its runs of equal fg/bg/attribute
};
std::string dump_grid(const ChwScreen& s, const GridDumpOptions& o = {});

}  // namespace prismel
