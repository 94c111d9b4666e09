#include "screens/editcol_rules.h"

#include <cstring>

#include "chwin/chw_keys.h"
#include "screens/screen_window.h"

namespace prismel {

int level_step_of_key(int key) {
    switch (key) {
    case kKeyF5:
    case kKeyShiftWheelDown: return -1;
    case kKeyF6:
    case kKeyShiftWheelUp: return 1;
    default: return 0;
    }
}

int stepped_level(int level, int step) {
    if (step > 0 && level < 255) return level + 1;
    if (step < 0 && level > 0) return level - 1;
    return level;
}

char typed_character(int key, bool shift, bool caps_lock) {
    if (key >= kKey0 && key <= kKey9) return static_cast<char>(key);
    if (key < kKeyA || key > kKeyZ) return 0;
    const bool upper = shift != caps_lock;
    return static_cast<char>(upper ? key : key - kKeyA + 'a');
}

bool column_takes(int column, char c) {
    const bool digit = c >= '0' && c <= '9';
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (column == kEditcolName) return digit || letter;
    return (column == kEditcolNumber || is_level_column(column)) && digit;
}

int column_of_click(int offset) {
    if (offset < 0) return -1;
    if (offset <= 4) return kEditcolNumber;
    if (offset <= 13) return kEditcolName;
    if (offset <= 18) return -1;
    if (offset <= 22) return kEditcolY;
    if (offset <= 27) return kEditcolM;
    return kEditcolC;
}

uint8_t* level_field(ColourRecord& r, int column) {
    switch (column) {
    case kEditcolY: return &r.y;
    case kEditcolM: return &r.m;
    case kEditcolC: return &r.c;
    default: return nullptr;
    }
}

void set_colour_name(ColourRecord& r, const std::string& text) {
    put_name(r.name, text.c_str(), strnlen(text.c_str(), kColourNameInput));
}

void repair_colour_name(ColourRecord& r) {
    repair_name(r.name);
}

}  // namespace prismel
