#pragma once
// The function-key bar's label text: up to 12 slots for F1-F12 in order. A
// slot is "$" (empty; consumes only itself), "-label" (shown, not available)
// or "label"; "|" ends a label and is consumed with it. A label takes at most
// 6 bytes; the rest of a longer one becomes the next slot.

namespace prismel {

constexpr int kFkeyCount = 12;
constexpr int kCapWidth = 6;

enum class FkeySlotKind { Empty, Unavailable, Label };

struct FkeySlot {
    FkeySlotKind kind = FkeySlotKind::Empty;
    char label[kCapWidth + 1] = "      ";  // padded with blanks to 6 bytes
};

struct FkeyLabels {
    FkeySlot slot[kFkeyCount];
};

FkeyLabels parse_fkey_labels(const char* text);  // nullptr: all empty

// First column of the cap of F(n), n = 1-12: 2, 9, 16, 23, 31, ... 81.
int fkey_cap_column(int n);
// Key code of the cap covering a column of the bar row, or 0 between caps.
int fkey_at_column(int column);

}  // namespace prismel
