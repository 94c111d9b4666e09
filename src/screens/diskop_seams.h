#pragma once
// What the data folder screen needs from the window system: the busy
// pointer, an immediate repaint (so the progress of a copy shows while it
// runs) and the pause before a copy starts. The main window installs the
// real ones (diskop_qt.h); unset members do nothing, so tests neither wait
// nor paint.
#include <functional>

namespace prismel {

struct DiskopSeams {
    std::function<void(bool busy)> set_busy_pointer;
    std::function<void()> repaint_now;
    std::function<void(int milliseconds)> wait;
};

DiskopSeams& diskop_seams();

}  // namespace prismel
