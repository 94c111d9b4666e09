#pragma once
// The live state of the keyboard and the mouse buttons, asked at the moment
// of the call rather than taken from an event: the main timer's hold repeat,
// the run screen's Shift preview and the Caps Lock rule of typed letters use
// it. The window system's implementation is installed at start-up
// (input_state_qt.h); tests install their own.
namespace prismel {

class InputState {
public:
    virtual ~InputState() = default;
    virtual bool left_button_down() const = 0;
    virtual bool shift_down() const = 0;
    virtual bool ctrl_down() const = 0;
    virtual bool alt_down() const = 0;
    virtual bool caps_lock_on() const = 0;
};

// The installed state; with none installed nothing is held and Caps Lock is off.
const InputState& input_state();
void set_input_state(const InputState* state);  // nullptr uninstalls

// Shift 1, Alt 2, Ctrl 4: the modifier flags of key handlers, from the live state.
int live_modifier_flags();

// A state that tests set field by field.
class FixedInputState : public InputState {
public:
    bool left_button = false, shift = false, ctrl = false, alt = false, caps_lock = false;
    bool left_button_down() const override { return left_button; }
    bool shift_down() const override { return shift; }
    bool ctrl_down() const override { return ctrl; }
    bool alt_down() const override { return alt; }
    bool caps_lock_on() const override { return caps_lock; }
};

}  // namespace prismel
