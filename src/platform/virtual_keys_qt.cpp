#include "platform/virtual_keys_qt.h"

#include <Qt>

namespace prismel {
namespace {

// Keypad keys as Qt names them with NumLock off: the digit under each.
int keypad_digit_of_navigation(int key) {
    switch (key) {
        case Qt::Key_Insert: return 0;
        case Qt::Key_End: return 1;
        case Qt::Key_Down: return 2;
        case Qt::Key_PageDown: return 3;
        case Qt::Key_Left: return 4;
        case Qt::Key_Clear: return 5;
        case Qt::Key_Right: return 6;
        case Qt::Key_Home: return 7;
        case Qt::Key_Up: return 8;
        case Qt::Key_PageUp: return 9;
        default: return -1;
    }
}

int keypad_key(int key, uint32_t scan_code) {
    int digit = keypad_digit_of_scan_code(scan_code);
    if (digit < 0 && key >= Qt::Key_0 && key <= Qt::Key_9) digit = key - Qt::Key_0;
    if (digit < 0 && scan_code == 0) digit = keypad_digit_of_navigation(key);
    if (digit >= 0) return 96 + digit;
    switch (key) {
        case Qt::Key_Enter:
        case Qt::Key_Return: return 13;
        case Qt::Key_Asterisk: return 106;
        case Qt::Key_Plus: return 107;
        case Qt::Key_Minus: return 109;
        case Qt::Key_Period:
        case Qt::Key_Comma:
        case Qt::Key_Delete: return 110;
        case Qt::Key_Slash: return 111;
        default: return -1;  // not a keypad key after all
    }
}

// Punctuation by the US key it sits on, shifted or not, as Windows names it.
int punctuation_key(int key) {
    switch (key) {
        case Qt::Key_Semicolon: case Qt::Key_Colon: return 186;
        case Qt::Key_Equal: case Qt::Key_Plus: return 187;
        case Qt::Key_Comma: case Qt::Key_Less: return 188;
        case Qt::Key_Minus: case Qt::Key_Underscore: return 189;
        case Qt::Key_Period: case Qt::Key_Greater: return 190;
        case Qt::Key_Slash: case Qt::Key_Question: return 191;
        case Qt::Key_QuoteLeft: case Qt::Key_AsciiTilde: return 192;
        case Qt::Key_BracketLeft: case Qt::Key_BraceLeft: return 219;
        case Qt::Key_Backslash: case Qt::Key_Bar: return 220;
        case Qt::Key_BracketRight: case Qt::Key_BraceRight: return 221;
        case Qt::Key_Apostrophe: case Qt::Key_QuoteDbl: return 222;
        // Shifted digits give the digit's own key.
        case Qt::Key_Exclam: return '1';
        case Qt::Key_At: return '2';
        case Qt::Key_NumberSign: return '3';
        case Qt::Key_Dollar: return '4';
        case Qt::Key_Percent: return '5';
        case Qt::Key_AsciiCircum: return '6';
        case Qt::Key_Ampersand: return '7';
        case Qt::Key_Asterisk: return '8';
        case Qt::Key_ParenLeft: return '9';
        case Qt::Key_ParenRight: return '0';
        default: return 0;
    }
}

}  // namespace

int keypad_digit_of_scan_code(uint32_t scan_code) {
    switch (scan_code) {
        case 90: return 0;
        case 87: return 1;
        case 88: return 2;
        case 89: return 3;
        case 83: return 4;
        case 84: return 5;
        case 85: return 6;
        case 79: return 7;
        case 80: return 8;
        case 81: return 9;
        default: return -1;
    }
}

int virtual_key_of(int key, bool keypad, uint32_t scan_code) {
    if (keypad) {
        int vk = keypad_key(key, scan_code);
        if (vk >= 0) return vk;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return 112 + (key - Qt::Key_F1);
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return key;  // Qt's codes are the upper-case letters
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return key;
    switch (key) {
        case Qt::Key_Backspace: return 8;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return 9;
        case Qt::Key_Clear: return 12;
        case Qt::Key_Return:
        case Qt::Key_Enter: return 13;
        case Qt::Key_Shift: return 16;
        case Qt::Key_Control: return 17;
        case Qt::Key_Alt:
        case Qt::Key_AltGr: return 18;
        case Qt::Key_Pause: return 19;
        case Qt::Key_CapsLock: return 20;
        case Qt::Key_Escape: return 27;
        case Qt::Key_Space: return 32;
        case Qt::Key_PageUp: return 33;
        case Qt::Key_PageDown: return 34;
        case Qt::Key_End: return 35;
        case Qt::Key_Home: return 36;
        case Qt::Key_Left: return 37;
        case Qt::Key_Up: return 38;
        case Qt::Key_Right: return 39;
        case Qt::Key_Down: return 40;
        case Qt::Key_Print: return 44;
        case Qt::Key_Insert: return 45;
        case Qt::Key_Delete: return 46;
        case Qt::Key_Meta: return 91;
        case Qt::Key_Menu: return 93;
        case Qt::Key_NumLock: return 144;
        case Qt::Key_ScrollLock: return 145;
        default: return punctuation_key(key);
    }
}

}  // namespace prismel
