#pragma once
// The user colour editor's rules, over a colour record and the keys alone:
// the level steps, the character a key types, the cursor column a click
// picks and how a name lands in its field.
#include <cstdint>
#include <string>

#include "data/show_records.h"

namespace prismel {

// The user colours: indexes 400-499, shown as 401-500.
constexpr int kFirstUserColour = kPresets;
constexpr int kUserColours = kColours - kPresets;

// The cursor's columns.
constexpr int kEditcolNumber = 0;
constexpr int kEditcolName = 1;
constexpr int kEditcolY = 2;
constexpr int kEditcolM = 3;
constexpr int kEditcolC = 4;
constexpr int kEditcolColumns = 5;

// Bytes the name input takes (the field holds five, and its terminator).
constexpr int kColourNameInput = 4;

constexpr bool is_level_column(int column) { return column >= kEditcolY && column <= kEditcolC; }

// -1 for F5 and Shift + wheel down, +1 for F6 and Shift + wheel up, else 0.
int level_step_of_key(int key);
// The level one unit up (step > 0) or down (step < 0); it stays at 0 and at 255.
int stepped_level(int level, int step);

// The character a digit or letter key types: digits as they are, letters in
// upper case when exactly one of Shift and Caps Lock is on, else in lower
// case. 0 for any other key.
char typed_character(int key, bool shift, bool caps_lock);
// Whether a character typed in this column opens its input: the number and
// the levels take digits, the name digits and letters.
bool column_takes(int column, char c);

// The cursor column of a click `offset` cells right of window column 1,
// or -1 where no column lies (left of it, and under the swatch).
int column_of_click(int offset);

// The Y, M or C level of a level column; nullptr for the other columns.
uint8_t* level_field(ColourRecord& r, int column);

// The name := at most kColourNameInput bytes of whole characters of text,
// terminated, the rest of the field cleared.
void set_colour_name(ColourRecord& r, const std::string& text);
// The name cut to what its field shows (at most five bytes of whole
// characters), terminated, the rest cleared: a record read from a damaged
// file comes out whole from its first edit.
void repair_colour_name(ColourRecord& r);

}  // namespace prismel
