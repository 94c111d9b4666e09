#include "chwin/chw_hold_repeat.h"

#include "chwin/chw_fkey_bar.h"
#include "chwin/chw_keys.h"
#include "platform/input_state.h"

namespace prismel {

int ChwHoldRepeat::tick(ChwScreen& s, const std::function<ChwPoint()>& pointer) {
    if (++tick_parity_ % 2 != 0) return 0;
    ChwWindow* top = s.top_window();
    if (!top || !top->repeat_held_caps) return 0;
    if (!input_state().left_button_down()) return 0;
    if (++hold_count_ < 5) return 0;
    const int flags = live_modifier_flags();
    const ChwPoint p = pointer ? pointer() : ChwPoint{-1, -1};
    const int fs = s.font_size();
    if (p.x < 0 || p.y < 0 || p.y / s.cell_height() != s.fkey_row()) return 0;
    const int key = fkey_at_column(p.x * 2 / fs);
    if ((key != kKeyF5 && key != kKeyF6) || !top->key_handler) return 0;
    top->key_handler(key, flags);
    return key;
}

}  // namespace prismel
