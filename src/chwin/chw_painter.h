#pragma once
// Turns cells into pixels on a canvas: text in the fixed-pitch font, bars,
// raised edges and the level-gauge glyph (0xF0 0x40-0x4F, drawn as a bar,
// never by the font).
#include "chwin/chw_canvas.h"
#include "chwin/chw_screen.h"

namespace prismel {

// Rows first-last (-1: 0 and visible rows - 1) across the visible columns,
// then the strip right of the last whole double cell.
void paint_rows(const ChwScreen& s, ChwCanvas& canvas, int first, int last);
// Only the cells whose boxes meet the pixel rectangle `area` (a double-byte
// character across its edge whole), and the strip right of the grid where it
// meets it: what the window system asked to repaint, and nothing more.
void paint_area(const ChwScreen& s, ChwCanvas& canvas, const ChwRect& area);
// The pressed function-key cap, if any: its cells one pixel right and down,
// framed in WinNgFg. The host calls this after paint_rows.
void paint_pressed_cap(const ChwScreen& s, ChwCanvas& canvas);

}  // namespace prismel
