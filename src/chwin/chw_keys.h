#pragma once
// Key codes delivered to window key handlers (Windows virtual-key codes),
// modifier flag bits and the handler result codes.

namespace prismel {

// 0 tells a window that it is the top window again after the one above closed.
constexpr int kKeyRefresh = 0;
constexpr int kKeyBack = 8;
constexpr int kKeyTab = 9;
constexpr int kKeyEnter = 13;
constexpr int kKeyShift = 16;
constexpr int kKeyCtrl = 17;
constexpr int kKeyAlt = 18;
constexpr int kKeyEsc = 27;
constexpr int kKeySpace = 32;
constexpr int kKeyPageUp = 33;
constexpr int kKeyPageDown = 34;
constexpr int kKeyEnd = 35;
constexpr int kKeyHome = 36;
constexpr int kKeyLeft = 37;
constexpr int kKeyUp = 38;
constexpr int kKeyRight = 39;
constexpr int kKeyDown = 40;
constexpr int kKeyInsert = 45;
constexpr int kKeyDelete = 46;
constexpr int kKey0 = 48;  // digits 48-57
constexpr int kKey9 = 57;
constexpr int kKeyA = 65;  // letters 65-90, always the upper-case code
constexpr int kKeyZ = 90;
constexpr int kKeyNumpad0 = 96;  // keypad digits 96-105, mapped to 48-57 before delivery
constexpr int kKeyNumpad9 = 105;
constexpr int kKeyF1 = 112;  // F1-F12 are 112-123
constexpr int kKeyF2 = 113;
constexpr int kKeyF3 = 114;
constexpr int kKeyF4 = 115;
constexpr int kKeyF5 = 116;
constexpr int kKeyF6 = 117;
constexpr int kKeyF7 = 118;
constexpr int kKeyF8 = 119;
constexpr int kKeyF9 = 120;
constexpr int kKeyF10 = 121;
constexpr int kKeyF11 = 122;
constexpr int kKeyF12 = 123;
// Mouse wheel with Shift held; each is followed by a second call with key 0.
constexpr int kKeyShiftWheelUp = 191;
constexpr int kKeyShiftWheelDown = 192;

constexpr int kKeyF(int n) { return kKeyF1 + n - 1; }  // n = 1-12

// Modifier flags; the higher bits carry mouse-button state and are ignored.
constexpr int kModShift = 1;
constexpr int kModAlt = 2;
constexpr int kModCtrl = 4;
// Mouse flag bits beside the modifiers, passed on to handlers unchanged.
constexpr int kModLeftButton = 8;
constexpr int kModRightButton = 16;
constexpr int kModMiddleButton = 32;
constexpr int kModDouble = 64;

constexpr bool has_shift(int flags) { return (flags & kModShift) != 0; }
constexpr bool has_alt(int flags) { return (flags & kModAlt) != 0; }
constexpr bool has_ctrl(int flags) { return (flags & kModCtrl) != 0; }
// Neither Shift, Alt nor Ctrl (mouse bits are not looked at).
constexpr bool no_modifier(int flags) { return (flags & (kModShift | kModAlt | kModCtrl)) == 0; }

// Mouse button codes passed to mouse handlers.
constexpr int kButtonLeft = 0;
constexpr int kButtonRight = 1;
constexpr int kButtonMiddle = 2;

// Key handler results the host acts on; any other value means handled.
constexpr int kResultQuit = -99;          // close the main window
constexpr int kResultWindowClosed = -10;  // show the new top window, then send it key 0
constexpr int kResultRedrawTop = -1;      // show the top window again
constexpr int kResultHandled = 0;

// Keypad digits become the digit keys; every other code is returned unchanged.
constexpr int map_numpad(int vk) {
    return vk >= kKeyNumpad0 && vk <= kKeyNumpad9 ? vk - kKeyNumpad0 + kKey0 : vk;
}

}  // namespace prismel
