#include "platform/input_state_qt.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace prismel {
namespace {

Display* x11_display() {
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

bool modifier_held(Qt::KeyboardModifier m) {
    return (QGuiApplication::queryKeyboardModifiers() & m) != 0;
}

}  // namespace

bool QtInputState::left_button_down() const {
    if (Display* d = x11_display()) {
        Window root, child;
        int rx, ry, wx, wy;
        unsigned int mask = 0;
        if (XQueryPointer(d, DefaultRootWindow(d), &root, &child, &rx, &ry, &wx, &wy, &mask))
            return (mask & Button1Mask) != 0;
        return false;
    }
    return (QGuiApplication::mouseButtons() & Qt::LeftButton) != 0;
}

bool QtInputState::shift_down() const { return modifier_held(Qt::ShiftModifier); }
bool QtInputState::ctrl_down() const { return modifier_held(Qt::ControlModifier); }
bool QtInputState::alt_down() const { return modifier_held(Qt::AltModifier); }

bool QtInputState::caps_lock_on() const {
    Display* d = x11_display();
    if (!d) return false;
    XkbStateRec state{};
    if (XkbGetState(d, XkbUseCoreKbd, &state) != Success) return false;
    return (state.locked_mods & LockMask) != 0;
}

}  // namespace prismel
