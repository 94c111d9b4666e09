#include "chwin/chw_frame_select.h"

#include <algorithm>

#include "platform/text_codec.h"

namespace prismel {

ChwRect frame_select_area(const ChwScreen& s, const ChwWindow* w) {
    ChwRect r = s.pixel_rect(w);
    const int fs = s.font_size();
    r.left += fs / 2;
    r.right -= fs / 2;
    r.top += fs + 4;
    r.bottom -= fs + 4;
    return r;
}

ChwRect start_frame_select(ChwScreen& s, int x, int y) {
    const ChwWindow* top = s.top_window();
    if (!top || s.rubber_band.lock_count != 0) return {};
    const ChwRect area = frame_select_area(s, top);
    if (!area.contains(x, y)) return {};
    ChwRubberBand& band = s.rubber_band;
    band.start_x = x;
    band.start_y = y;
    band.rect = ChwRect{x, y, x, y};
    band.active = 1;
    static const char* selecting = sj("枠選択中");
    s.set_message_line(selecting);
    return area;
}

void drag_frame_select(ChwScreen& s, int x, int y) {
    ChwRubberBand& band = s.rubber_band;
    if (!band.active) return;
    if (x == band.start_x && y == band.start_y) {
        band.rect = ChwRect{x, y, x, y};  // back where it started: a click
        return;
    }
    // The frame starts with the whole character cell the pointer was
    // pressed on: a press on the edge of a cell (its first or last pixels)
    // takes that cell in, as the operator sees it.
    const int cw = s.cell_width(), ch = s.cell_height();
    const ChwRect start{band.start_x / cw * cw, band.start_y / ch * ch, (band.start_x / cw + 1) * cw,
                        (band.start_y / ch + 1) * ch};
    band.rect = ChwRect{std::min(start.left, x), std::min(start.top, y), std::max(start.right, x),
                        std::max(start.bottom, y)};
}

bool end_frame_select(ChwScreen& s, int flags) {
    ChwRubberBand& band = s.rubber_band;
    if (!band.active) return false;
    band.active = 0;
    const ChwRect r = band.rect;
    // The handler may open a message box or close its window: the flag is
    // clear before it runs, and the top window is asked for afresh.
    if (ChwWindow* top = s.top_window(); top && top->frame_select_handler) top->frame_select_handler(r, flags);
    s.set_message_line("");
    return true;
}

}  // namespace prismel
