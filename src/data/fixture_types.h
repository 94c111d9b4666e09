#pragma once
// The four fixture types (channel layouts) of the patch: how many DMX
// channels each takes and how the screens name it. A value outside 1-4 (only
// a damaged file holds one) is shown as the colour fader type and counts its
// three channels.

namespace prismel {

constexpr int kLayoutTurbo = 1;         // size, M, C, Y
constexpr int kLayoutColourFader = 2;   // Y, M, C
constexpr int kLayoutScroller = 3;      // Y
constexpr int kLayoutColourCombo = 4;   // C, M, Y, size

// Channels the layout takes: 4, 3, 1, 4.
constexpr int channels_of_layout(int layout) {
    return layout == kLayoutTurbo || layout == kLayoutColourCombo ? 4 : layout == kLayoutScroller ? 1 : 3;
}
// The layout has a size (intensity) channel.
constexpr bool layout_has_size(int layout) { return layout == kLayoutTurbo || layout == kLayoutColourCombo; }

// Four-letter label of the grids: "TURB", "CLFD", "SCRL", "CLCM".
const char* layout_grid_label(int layout);
// Label of the patch editor's keys: "TURBO", "COLFDR", "SCRCHG", "COLCOM".
const char* layout_key_label(int layout);

}  // namespace prismel
