#pragma once
// What the character screen needs from the window that shows it. The main
// window implements this; tests use a recording fake.
#include "chwin/chw_geometry.h"

namespace prismel {

class ChwHost {
public:
    virtual ~ChwHost() = default;
    // Marks pixels for the next paint; erase: background erase requested.
    virtual void invalidate(const ChwRect& r, bool erase) = 0;
    // Paints r at once (the pressed function-key cap). The host draws the
    // pressed look itself through paint_pressed_cap (chw_painter.h).
    virtual void repaint_now(const ChwRect& r) = 0;
    // The message line: first panel of the status bar (or its simple text).
    virtual void set_message_line(const char* cp932) = 0;
    // The platform's error sound.
    virtual void beep() = 0;
};

}  // namespace prismel
