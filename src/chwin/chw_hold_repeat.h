#pragma once
// Holding the left button on the F5 or F6 cap of a window that asks for it
// (ChwWindow::repeat_held_caps) repeats that key every 100 ms, from the fifth
// 100 ms step after the press on; the press itself delivered the first one.
// The host runs it on every 50 ms timer tick while a top window exists.
#include <functional>

#include "chwin/chw_geometry.h"
#include "chwin/chw_screen.h"

namespace prismel {

class ChwHoldRepeat {
public:
    // Every left press starts the count anew.
    void press() { hold_count_ = 0; }
    // One timer tick. The button and the modifiers come from the live input
    // state (platform/input_state.h); `pointer` gives the pointer's client
    // position and is asked only when a repeat is due. Returns the key sent
    // to the top window's key handler (its result is not acted on), or 0.
    int tick(ChwScreen& s, const std::function<ChwPoint()>& pointer);

    // 100 ms steps the button has been held since the last press.
    int hold_count() const { return hold_count_; }

private:
    int hold_count_ = 0;
    unsigned tick_parity_ = 0;
};

}  // namespace prismel
