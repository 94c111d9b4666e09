#pragma once
// Qt key events turned into the Windows virtual-key codes that the window
// handlers expect. The numeric keypad is recognised by its keypad flag and
// its key position, so its digit keys give 96-105 whether NumLock is on or
// off (with NumLock off Qt reports Home, Up, ... and Clear for keypad 5).
#include <cstdint>

namespace prismel {

// X11 (evdev) key codes of the keypad digits 0-9; 0 elsewhere.
int keypad_digit_of_scan_code(uint32_t scan_code);

// qt_key: Qt::Key; keypad: the event carried Qt::KeypadModifier; scan_code:
// the native scan code (0 when unknown). 0 for keys without a code.
int virtual_key_of(int qt_key, bool keypad, uint32_t scan_code);

}  // namespace prismel
