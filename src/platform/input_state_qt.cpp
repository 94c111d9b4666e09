#include "platform/input_state_qt.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#if PRISMEL_HAVE_X11
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
// Xlib's event names would hide Qt's.
#undef KeyPress
#undef KeyRelease
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

}  // namespace

QtInputState::QtInputState() {
    if (QCoreApplication::instance()) QCoreApplication::instance()->installEventFilter(this);
}

QtInputState::~QtInputState() {
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(this);
}

bool QtInputState::eventFilter(QObject*, QEvent* e) {
    switch (e->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            // Qt gives a modifier key's own event the state after it: Shift
            // pressed carries Shift, Shift released does not.
            modifiers_ = static_cast<QKeyEvent*>(e)->modifiers();
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove: {
            const auto* m = static_cast<QMouseEvent*>(e);
            modifiers_ = m->modifiers();
            left_button_ = (m->buttons() & Qt::LeftButton) != 0;
            break;
        }
        case QEvent::ApplicationStateChange:
            // Changes made while another application was active were not seen.
            modifiers_known_ = button_known_ = false;
            break;
        default: break;
    }
    return false;
}

Qt::KeyboardModifiers QtInputState::modifiers() const {
    const bool active = application_active();
    if (!modifiers_known_ || !active) {
        ++queries_;
        modifiers_ = query_modifiers();
        modifiers_known_ = active;
    }
    return modifiers_;
}

bool QtInputState::left_button_down() const {
    const bool active = application_active();
    if (!button_known_ || !active) {
        ++queries_;
        left_button_ = query_left_button();
        button_known_ = active;
    }
    return left_button_;
}

bool QtInputState::shift_down() const { return (modifiers() & Qt::ShiftModifier) != 0; }
bool QtInputState::ctrl_down() const { return (modifiers() & Qt::ControlModifier) != 0; }
bool QtInputState::alt_down() const { return (modifiers() & Qt::AltModifier) != 0; }

Qt::KeyboardModifiers QtInputState::query_modifiers() const { return QGuiApplication::queryKeyboardModifiers(); }

bool QtInputState::query_left_button() const {
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

bool QtInputState::application_active() const {
    return QGuiApplication::applicationState() == Qt::ApplicationActive;
}

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
