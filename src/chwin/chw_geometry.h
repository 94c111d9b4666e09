#pragma once
// Pixel rectangles of the character screen: left/top inclusive, right/bottom
// exclusive, as the window system invalidates and fills them.

namespace prismel {

struct ChwRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool empty() const { return right <= left || bottom <= top; }
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    // The two share at least one pixel.
    bool meets(const ChwRect& o) const { return left < o.right && o.left < right && top < o.bottom && o.top < bottom; }
    bool operator==(const ChwRect&) const = default;
};

// A pixel position in the main window's client area.
struct ChwPoint {
    int x = 0;
    int y = 0;
};

}  // namespace prismel
