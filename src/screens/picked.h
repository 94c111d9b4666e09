#pragma once
// The result of a reference list, for the screen below it. A list that
// closes leaves its code in the screen's picker_result; the screen takes it
// on the first key code 0 after that, and only once: a later key code 0 (the
// one that follows Shift + wheel, say) finds nothing.
#include "chwin/chw_window.h"

namespace prismel {

class ChwScreen;

struct Picked {
    int list = kPickedNone;  // kPickedColour, kPickedScene, kPickedChase, or none waiting
    int index = -1;          // the entry picked; -1 when the list was cancelled
    bool is(int code) const { return list == code && index >= 0; }
};

// Takes the waiting result, if any, and clears the code.
Picked take_picked(ChwScreen& s);

}  // namespace prismel
