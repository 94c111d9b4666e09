#pragma once
// The live input state from the window system: on X11 the pointer's button
// mask (XQueryPointer) and the Caps Lock lock state (XkbGetState) through
// Qt's native interface, the modifiers from Qt's own query of the keyboard.
// Other platforms (offscreen) and builds without X11 fall back to what Qt
// knows: its own button state, and Caps Lock off.
#include "platform/input_state.h"

namespace prismel {

class QtInputState : public InputState {
public:
    bool left_button_down() const override;
    bool shift_down() const override;
    bool ctrl_down() const override;
    bool alt_down() const override;
    bool caps_lock_on() const override;
};

}  // namespace prismel
