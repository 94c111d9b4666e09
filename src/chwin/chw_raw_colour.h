#pragma once
// Screens that show a colour of the show (a swatch) need a background that is
// not in the scheme. The writer only takes colours by index, so the value is
// passed through a scheme slot that no screen uses, and the slot is emptied
// again at once: the scheme never keeps it and it is never saved.
#include <cstdint>

#include "chwin/chw_screen.h"

namespace prismel {

inline void set_bg_value(ChwScreen& s, uint32_t colour) {
    constexpr int kSpareSlot = 12;  // between WinHiBg (11) and WinNgFg (15): unused
    uint32_t& slot = s.scheme().value[kSpareSlot];
    slot = colour;
    s.set_bg(kSpareSlot);
    slot = 0;
}

}  // namespace prismel
