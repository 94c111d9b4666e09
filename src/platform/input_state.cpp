#include "platform/input_state.h"

#include <atomic>

namespace prismel {
namespace {

const FixedInputState kNothingHeld;
std::atomic<const InputState*> g_state{nullptr};

}  // namespace

const InputState& input_state() {
    const InputState* s = g_state.load(std::memory_order_acquire);
    return s ? *s : kNothingHeld;
}

void set_input_state(const InputState* state) { g_state.store(state, std::memory_order_release); }

int live_modifier_flags() {
    const InputState& s = input_state();
    return (s.shift_down() ? 1 : 0) | (s.alt_down() ? 2 : 0) | (s.ctrl_down() ? 4 : 0);
}

}  // namespace prismel
