// The live input state kept from the application's own events while it is
// active, and asked of the window system only when it cannot be known so.
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include "platform/input_state_qt.h"
#include "support/qt_app.h"

namespace prismel {
namespace {

// The window system's answers and the active state, scripted.
class ScriptedInputState : public QtInputState {
public:
    Qt::KeyboardModifiers held;
    bool button = false;
    bool active = true;

protected:
    Qt::KeyboardModifiers query_modifiers() const override { return held; }
    bool query_left_button() const override { return button; }
    bool application_active() const override { return active; }
};

// The application first: the input state installs its filter on it.
struct WithApp {
    WithApp() { test::qt_app(); }
};

class QtInputStateTest : public ::testing::Test, WithApp {
protected:
    void key(QEvent::Type type, int key, Qt::KeyboardModifiers mods) {
        QKeyEvent e(type, key, mods);
        QCoreApplication::sendEvent(&target, &e);
    }
    void mouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods) {
        QMouseEvent e(type, QPointF(5, 5), QPointF(5, 5), button, buttons, mods);
        QCoreApplication::sendEvent(&target, &e);
    }
    void state_change(Qt::ApplicationState s) {
        QApplicationStateChangeEvent e(s);
        QCoreApplication::sendEvent(qApp, &e);
    }
    QObject target;
    ScriptedInputState input;
};

TEST_F(QtInputStateTest, WhileActiveTheEventsKeepTheStateWithoutAsking) {
    input.held = Qt::NoModifier;
    EXPECT_FALSE(input.shift_down());  // the first question seeds the state
    EXPECT_EQ(input.queries(), 1);
    // As the window system sends them: a modifier key's event carries the
    // state before it.
    key(QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier);
    for (int tick = 0; tick < 20; ++tick) EXPECT_TRUE(input.shift_down());
    key(QEvent::KeyPress, Qt::Key_Control, Qt::ShiftModifier);
    EXPECT_TRUE(input.ctrl_down());
    EXPECT_FALSE(input.alt_down());
    key(QEvent::KeyRelease, Qt::Key_Control, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_TRUE(input.shift_down());
    key(QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_FALSE(input.shift_down());
    EXPECT_FALSE(input.ctrl_down());
    EXPECT_EQ(input.queries(), 1);

    EXPECT_FALSE(input.left_button_down());
    EXPECT_EQ(input.queries(), 2);
    mouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, Qt::AltModifier);
    EXPECT_TRUE(input.left_button_down());
    EXPECT_TRUE(input.alt_down());
    mouse(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    EXPECT_FALSE(input.left_button_down());
    EXPECT_FALSE(input.alt_down());
    EXPECT_EQ(input.queries(), 2);
}

TEST_F(QtInputStateTest, WhileInactiveEveryQuestionAsksTheWindowSystem) {
    input.active = false;
    input.held = Qt::ShiftModifier;
    input.button = true;
    EXPECT_TRUE(input.shift_down());
    EXPECT_TRUE(input.left_button_down());
    // Another application's keys never reach the console's events.
    key(QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier);
    input.held = Qt::NoModifier;
    input.button = false;
    EXPECT_FALSE(input.shift_down());
    EXPECT_FALSE(input.left_button_down());
    EXPECT_EQ(input.queries(), 4);
}

TEST_F(QtInputStateTest, AChangeOfTheActiveStateAsksAgain) {
    EXPECT_FALSE(input.shift_down());
    EXPECT_FALSE(input.left_button_down());
    EXPECT_EQ(input.queries(), 2);
    // Shift pressed and the button held in another application, then back.
    state_change(Qt::ApplicationInactive);
    state_change(Qt::ApplicationActive);
    input.held = Qt::ShiftModifier;
    input.button = true;
    EXPECT_TRUE(input.shift_down());
    EXPECT_TRUE(input.left_button_down());
    EXPECT_EQ(input.queries(), 4);
    EXPECT_TRUE(input.shift_down());
    EXPECT_EQ(input.queries(), 4);
}

}  // namespace
}  // namespace prismel
