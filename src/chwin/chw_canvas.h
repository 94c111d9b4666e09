#pragma once
// The drawing surface the cell painter draws on. The Qt implementation is in
// chw_canvas_qt.h; tests may record calls instead.
#include <cstdint>

#include "chwin/chw_geometry.h"

namespace prismel {

// Sides of a rectangle; the attribute edge bits shifted down by 4 (or 8).
constexpr unsigned kSideLeft = 1;
constexpr unsigned kSideTop = 2;
constexpr unsigned kSideRight = 4;
constexpr unsigned kSideBottom = 8;

enum class ChwEdge {
    Raised,       // raised outer and inner line
    RaisedOuter,  // raised outer line only
};

class ChwCanvas {
public:
    virtual ~ChwCanvas() = default;
    // Font height in pixels; cells are size/2 wide, a double-byte glyph size wide.
    virtual void set_font_size(int px) = 0;
    virtual void fill(const ChwRect& r, uint32_t colour) = 0;
    // One character, 1 or 2 CP932 bytes (n), with its box's top-left at
    // (x, y): the box (x, y)-(x + n x font size / 2, y + height) is filled
    // with bg and the glyph drawn in fg, clipped to the box, its em box from
    // the top of the box.
    virtual void text(int x, int y, const unsigned char* bytes, int n, int height, uint32_t fg,
                      uint32_t bg) = 0;
    virtual void edge(const ChwRect& r, unsigned sides, ChwEdge kind) = 0;
    // Restricts drawing to r until pop_clip (one level is enough).
    virtual void push_clip(const ChwRect& r) = 0;
    virtual void pop_clip() = 0;
    virtual int client_width() const = 0;
    virtual int client_height() const = 0;
};

}  // namespace prismel
