#pragma once
// The live input state from the window system: on X11 the pointer's button
// mask (XQueryPointer) and the Caps Lock lock state (XkbGetState) through
// Qt's native interface, the modifiers from Qt's own query of the keyboard.
// Other platforms (offscreen) fall back to what Qt knows.
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
