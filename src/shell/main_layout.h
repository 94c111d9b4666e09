#pragma once
// How the character grid lies on the main window: which sizes the window may
// take, how many columns and rows fit, where the bottom strip and the title
// image go. Pure arithmetic, so that the window code only applies it.
#include "chwin/chw_geometry.h"

namespace prismel {

constexpr int kMinColumns = 92;
constexpr int kMaxColumns = 128;
constexpr int kMinRows = 29;
constexpr int kMaxRows = 64;
constexpr int kStatusPanels = 4;
constexpr int kLastPanelWidth = 50;

struct GridLayout {
    int columns = kMaxColumns;
    int rows = kMaxRows;
    int fkey_row = kMaxRows - 2;
    int caption_row() const { return fkey_row - 1; }
};

// Columns = 2 x (client width div fs) and rows = client height div (fs + 4),
// each limited to its range; the function-key row is rows - 2. A client
// lower than the smallest grid (a desktop too small for the font) keeps the
// caption row and the bar on its last whole rows, above the status line.
GridLayout layout_for_client(int client_width, int client_height, int fs);

// A proposed outer size adjusted so that the client is a whole number of
// double cells wide (at least 92 columns), at least 29 rows and 2 pixels
// high, never 0 or 1 pixel below a whole row (within 64 rows), and never
// lower than the stack extent. frame_* = outer size - client size.
struct WindowSize {
    int width = 0, height = 0;
    bool operator==(const WindowSize&) const = default;
};
WindowSize can_resize(WindowSize proposed, int frame_width, int frame_height, int fs, int stack_extent);

// The client size after a font size change: what the resize rules ask at
// the new size (a larger font needs a larger window), but no more than the
// desktop's free area holds (`most`); a smaller font leaves the size as it is.
WindowSize fitted_to_font(WindowSize client, WindowSize most, int fs, int stack_extent);

// Widths of the four status panels in pixels: 26 fs, 9 fs, 6 fs and 50.
int status_panel_width(int panel, int fs);

// Height of the bottom strip: the caption, function-key and status rows
// plus the pixels left below the last whole row.
int bottom_strip_height(int client_height, int fs);

// Where the title image is drawn on a form of the given outer size: its own
// size when that is within a fifth of its width of 66 % of the form width,
// else scaled to 66 % of the form's height or width by the aspect.
ChwRect title_image_rect(int form_width, int form_height, int image_width, int image_height, double aspect);

// Baseline-free top of the title text line for an image drawn h pixels high.
int title_text_y(int form_height, int image_height);
// Height of the title image during the title sequence (the own-size rule is
// not applied there).
int title_sequence_image_height(int form_width, int form_height, double aspect);

constexpr double kDefaultTitleAspect = 32.0 / 15.0;

}  // namespace prismel
