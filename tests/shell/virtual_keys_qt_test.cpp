#include "platform/virtual_keys_qt.h"

#include <gtest/gtest.h>

#include <Qt>

using namespace prismel;

TEST(VirtualKeys, FunctionNavigationAndEditingKeys) {
    EXPECT_EQ(virtual_key_of(Qt::Key_F1, false, 0), 112);
    EXPECT_EQ(virtual_key_of(Qt::Key_F12, false, 0), 123);
    EXPECT_EQ(virtual_key_of(Qt::Key_Escape, false, 0), 27);
    EXPECT_EQ(virtual_key_of(Qt::Key_Up, false, 0), 38);
    EXPECT_EQ(virtual_key_of(Qt::Key_Down, false, 0), 40);
    EXPECT_EQ(virtual_key_of(Qt::Key_Left, false, 0), 37);
    EXPECT_EQ(virtual_key_of(Qt::Key_Right, false, 0), 39);
    EXPECT_EQ(virtual_key_of(Qt::Key_Home, false, 0), 36);
    EXPECT_EQ(virtual_key_of(Qt::Key_End, false, 0), 35);
    EXPECT_EQ(virtual_key_of(Qt::Key_PageUp, false, 0), 33);
    EXPECT_EQ(virtual_key_of(Qt::Key_PageDown, false, 0), 34);
    EXPECT_EQ(virtual_key_of(Qt::Key_Insert, false, 0), 45);
    EXPECT_EQ(virtual_key_of(Qt::Key_Delete, false, 0), 46);
    EXPECT_EQ(virtual_key_of(Qt::Key_Backspace, false, 0), 8);
    EXPECT_EQ(virtual_key_of(Qt::Key_Tab, false, 0), 9);
    EXPECT_EQ(virtual_key_of(Qt::Key_Backtab, false, 0), 9);
    EXPECT_EQ(virtual_key_of(Qt::Key_Space, false, 0), 32);
}

TEST(VirtualKeys, BothEnterKeysAreEnter) {
    EXPECT_EQ(virtual_key_of(Qt::Key_Return, false, 36), 13);
    EXPECT_EQ(virtual_key_of(Qt::Key_Enter, true, 104), 13);
}

TEST(VirtualKeys, ModifiersLettersAndDigits) {
    EXPECT_EQ(virtual_key_of(Qt::Key_Shift, false, 0), 16);
    EXPECT_EQ(virtual_key_of(Qt::Key_Control, false, 0), 17);
    EXPECT_EQ(virtual_key_of(Qt::Key_Alt, false, 0), 18);
    EXPECT_EQ(virtual_key_of(Qt::Key_A, false, 0), 65);
    EXPECT_EQ(virtual_key_of(Qt::Key_Z, false, 0), 90);
    EXPECT_EQ(virtual_key_of(Qt::Key_0, false, 0), 48);
    EXPECT_EQ(virtual_key_of(Qt::Key_9, false, 0), 57);
    // Shift + 1 is still the key "1", as on the console's home platform.
    EXPECT_EQ(virtual_key_of(Qt::Key_Exclam, false, 10), 49);
    EXPECT_EQ(virtual_key_of(Qt::Key_ParenRight, false, 19), 48);
    EXPECT_EQ(virtual_key_of(Qt::Key_Period, false, 60), 190);
    EXPECT_EQ(virtual_key_of(Qt::Key_unknown, false, 0), 0);
}

TEST(VirtualKeys, KeypadDigitsWhateverNumLockSays) {
    // NumLock on: digits with the keypad flag.
    EXPECT_EQ(virtual_key_of(Qt::Key_5, true, 84), 101);
    EXPECT_EQ(virtual_key_of(Qt::Key_0, true, 90), 96);
    EXPECT_EQ(virtual_key_of(Qt::Key_9, true, 81), 105);
    // NumLock off: navigation names, recognised by the key position.
    EXPECT_EQ(virtual_key_of(Qt::Key_Clear, true, 84), 101);
    EXPECT_EQ(virtual_key_of(Qt::Key_Home, true, 79), 103);
    EXPECT_EQ(virtual_key_of(Qt::Key_Insert, true, 90), 96);
    EXPECT_EQ(virtual_key_of(Qt::Key_PageDown, true, 89), 99);
    // Synthesised events without a scan code.
    EXPECT_EQ(virtual_key_of(Qt::Key_Clear, true, 0), 101);
    EXPECT_EQ(virtual_key_of(Qt::Key_7, true, 0), 103);
    // The other keypad keys.
    EXPECT_EQ(virtual_key_of(Qt::Key_Plus, true, 86), 107);
    EXPECT_EQ(virtual_key_of(Qt::Key_Minus, true, 82), 109);
    EXPECT_EQ(virtual_key_of(Qt::Key_Delete, true, 91), 110);
    // The separate navigation block is not the keypad.
    EXPECT_EQ(virtual_key_of(Qt::Key_Home, false, 110), 36);
    EXPECT_EQ(keypad_digit_of_scan_code(10), -1);
}
