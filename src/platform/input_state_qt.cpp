#include "platform/input_state_qt.h"

#include <QGuiApplication>

#if PRISMEL_HAVE_X11
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#endif

namespace prismel {
namespace {

#if PRISMEL_HAVE_X11
// Only when the application runs on an X display; nullptr on any other
// platform plug-in (offscreen, Wayland).
Display* x11_display() {
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}
#endif

bool modifier_held(Qt::KeyboardModifier m) {
    return (QGuiApplication::queryKeyboardModifiers() & m) != 0;
}

}  // namespace

bool QtInputState::left_button_down() const {
#if PRISMEL_HAVE_X11
    if (Display* d = x11_display()) {
        Window root, child;
        int rx, ry, wx, wy;
        unsigned int mask = 0;
        if (XQueryPointer(d, DefaultRootWindow(d), &root, &child, &rx, &ry, &wx, &wy, &mask))
            return (mask & Button1Mask) != 0;
        return false;
    }
#endif
    return (QGuiApplication::mouseButtons() & Qt::LeftButton) != 0;
}

bool QtInputState::shift_down() const { return modifier_held(Qt::ShiftModifier); }
bool QtInputState::ctrl_down() const { return modifier_held(Qt::ControlModifier); }
bool QtInputState::alt_down() const { return modifier_held(Qt::AltModifier); }

// Qt has no query of the lock state: without X11 Caps Lock counts as off.
bool QtInputState::caps_lock_on() const {
#if PRISMEL_HAVE_X11
    Display* d = x11_display();
    if (!d) return false;
    XkbStateRec state{};
    if (XkbGetState(d, XkbUseCoreKbd, &state) != Success) return false;
    return (state.locked_mods & LockMask) != 0;
#else
    return false;
#endif
}

}  // namespace prismel
