#pragma once
// Frame (rubber-band) selection by dragging: a left press that gave no key
// starts it inside the top window's interior while the screen's lock count is
// 0; the release hands the rectangle to the top window's frame-select
// handler. The host draws the outline and keeps the pointer inside the area.
#include "chwin/chw_geometry.h"
#include "chwin/chw_screen.h"

namespace prismel {

// A window's interior in client pixels: its pixel rectangle without the
// frame (half a cell left and right, one row at the top and the bottom).
ChwRect frame_select_area(const ChwScreen& s, const ChwWindow* w);

// After a left press at (x, y) that delivered no key: when the point lies in
// the top window's interior and the lock count is 0, the selection starts at
// it (origin, empty rectangle, active, "枠選択中" on the message line).
// Returns the area the pointer is kept in, empty when nothing started.
ChwRect start_frame_select(ChwScreen& s, int x, int y);

// The pointer moved to (x, y): the rectangle spanned by the character cell
// the selection started in and (x, y); back at the origin itself, the empty
// rectangle there (a click). Nothing while no selection is active.
void drag_frame_select(ChwScreen& s, int x, int y);

// Left release: an active selection ends; the top window's frame-select
// handler, if it has one, gets the rectangle and the flags, and the message
// line is cleared. Returns whether a selection was active.
bool end_frame_select(ChwScreen& s, int flags);

}  // namespace prismel
