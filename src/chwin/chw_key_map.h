#pragma once
// The key map: Ctrl+H on any screen opens a window over it that lists the
// screen's keys and clicks with what they do, read from the screen's key
// table (chw_key_table.h), the list control's moves and the keys the screen
// toolkit adds. Any key or click closes it.
#include <string>
#include <vector>

#include "chwin/chw_screen.h"

namespace prismel {

// The key that opens it, with Ctrl alone.
constexpr int kKeyMapKey = 'H';

// One line of the map (UTF-8): the keys (or the click) and what they do.
struct KeyMapLine {
    std::string keys;
    std::string what;
};

// Bytes each field takes on the screen (CP932); longer texts are cut.
constexpr int kKeyMapKeyBytes = 16;
constexpr int kKeyMapWhatBytes = 26;

// What the key map of a window lists: its key table's rows (rows that do the
// same merged into one line), the list control's moves, the toolkit's keys,
// Ctrl+H, then the clicks. Empty for a window without a key table.
std::vector<KeyMapLine> key_map_lines(const ChwWindow& w);

// Opens the key map of the top window over it: true when it opened (the top
// window has a key table and no key map is open).
bool open_key_map(ChwScreen& s);
// Closes it (nothing when it is not open).
void close_key_map();
bool key_map_is_open();
ChwWindow* key_map_window();

}  // namespace prismel
