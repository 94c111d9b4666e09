#pragma once
// The live input state from the window system. While the console is the
// active application every key and button change reaches it as an event, so
// the state is kept from the events it sees (an application-wide event
// filter) and costs nothing to ask: the run screen asks for Shift on every
// tick, and a question to the X server each time would wake the server and
// the console 20 times a second. While another application is active, or
// after the active state changed and before the first answer, the window
// system is asked: on X11 the pointer's button mask (XQueryPointer), the
// modifiers by Qt's own query. Caps Lock (XkbGetState) is always asked; it
// is read only when a letter is typed. Other platforms (offscreen) and builds
// without X11 fall back to what Qt knows: its own button state, and Caps Lock
// off.
#include <QObject>
#include <Qt>

#include "platform/input_state.h"

namespace prismel {

class QtInputState : public QObject, public InputState {
public:
    // Installs the event filter on the application (if there is one yet).
    QtInputState();
    ~QtInputState() override;

    bool left_button_down() const override;
    bool shift_down() const override;
    bool ctrl_down() const override;
    bool alt_down() const override;
    bool caps_lock_on() const override;

    // How many times the window system was asked (for tests and measuring).
    long queries() const { return queries_; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    // The window system's answers and the application's state; tests replace them.
    virtual Qt::KeyboardModifiers query_modifiers() const;
    virtual bool query_left_button() const;
    virtual bool application_active() const;

private:
    // The modifiers as the events left them, or as the window system answers
    // while they are not known from events.
    Qt::KeyboardModifiers modifiers() const;

    mutable bool modifiers_known_ = false;
    mutable bool button_known_ = false;
    mutable Qt::KeyboardModifiers modifiers_;
    mutable bool left_button_ = false;
    mutable long queries_ = 0;
};

}  // namespace prismel
