#pragma once
// The texts of the output monitor: one cell per fixture with the levels in
// the order the fixture receives them on its DMX channels, and a status line
// with the layers being played. Plain functions so they can be tested
// without a window.
#include <cstddef>
#include <cstdint>

#include "data/show_records.h"

namespace prismel {

constexpr size_t kOutmonCellBytes = 32;    // longest cell "64: s00 m00 c00 y00" + room
constexpr size_t kOutmonStatusBytes = 64;

// Cell of fixture `fixture` (0-63) from its patch and its four mixed levels
// (size, M, C, Y). An unpatched fixture shows its number and "___"; a layout
// outside 1-4 shows nothing.
void outmon_cell_text(int fixture, const PatchRecord& patch, const uint8_t group[4], char* buf, size_t size);

// "scn:1 chs:__ col:401  stack=0": indexes shown 1-based, "__" for none.
void outmon_status_text(int scene, int chase, int colour, int depth, char* buf, size_t size);

}  // namespace prismel
