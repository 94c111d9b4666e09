#pragma once
// A window of the character screen's stack: a rectangle of cells owned by one
// screen module, which supplies its handlers.
#include <cstdint>
#include <functional>

#include "chwin/chw_geometry.h"

namespace prismel {

// Style low byte: framed window or the backdrop (the main menu window).
constexpr uint32_t kStyleFramed = 1;
constexpr uint32_t kStyleBackdrop = 16;
// Adds a separator on row bottom - 2, leaving row bottom - 1 as a footer line.
constexpr uint32_t kStyleFooter = 0x1000;

constexpr int kTitleBytes = 43;

// (key code, modifier flags) -> result code (chw_keys.h).
using ChwKeyHandler = std::function<int(int key, int flags)>;
// (column, row, button, modifier flags) -> 0 or a key code treated as pressed.
using ChwMouseHandler = std::function<int(int column, int row, int button, int flags)>;
// () -> result code; only kResultWindowClosed is acted on.
using ChwDoubleClickHandler = std::function<int()>;
// Called on every timer tick while the window is on top; result ignored.
using ChwDrawHandler = std::function<int()>;
// (selection rectangle in client pixels, modifier flags): a frame dragged
// inside the window's interior was released (chw_frame_select.h).
using ChwFrameSelectHandler = std::function<void(const ChwRect& rect, int flags)>;

struct ChwKeyTable;

struct ChwWindow {
    ChwWindow* parent = nullptr;  // none only for the backdrop
    uint32_t style = kStyleFramed;
    int left = 0, top = 0, right = 0, bottom = 0;  // inclusive cells, frame included
    int width = 0, height = 0;
    int active = 0;  // 1 while drawn as the top window
    char title[kTitleBytes + 1] = {};
    ChwKeyHandler key_handler;
    ChwMouseHandler mouse_handler;
    ChwDoubleClickHandler double_click_handler;
    ChwDrawHandler draw_handler;
    // Capabilities the host asks the top window for, so that it never needs
    // to know which screen is on top.
    ChwFrameSelectHandler frame_select_handler;
    // Holding the left button on the F5 or F6 cap repeats that key
    // (chw_hold_repeat.h).
    bool repeat_held_caps = false;
    // The show tables the screen edits, a bit each (screens/edited_tables.h),
    // for what the toolkit keeps of every edit.
    uint8_t edited_tables = 0;
    // The screen's keys and clicks, for its key map (chw_key_map.h); none
    // for windows without one (pick lists, the key map itself).
    const ChwKeyTable* key_table = nullptr;
    // Keys the screen toolkit handles around the screen's own (an editor's
    // undo), listed after the screen's.
    const ChwKeyTable* toolkit_keys = nullptr;

    bool is_backdrop() const { return (style & 0xFF) == kStyleBackdrop; }
    bool has_footer() const { return (style & kStyleFooter) != 0; }
};

// Picker result codes: which reference list closed (0 = none waiting).
constexpr int kPickedNone = 0;
constexpr int kPickedColour = 100;
constexpr int kPickedScene = 500;
constexpr int kPickedChase = 600;

}  // namespace prismel
