#pragma once
// The arithmetic of the two pop-up menus: where they open, which font sizes
// the options menu offers, and the colour entry each colour item edits.
#include <cstddef>
#include <string>

namespace prismel {

// The character screen's smallest font size.
constexpr int kMinFontSize = 12;

// Larger: while (display width div 106) x 2 - 2 >= fs, so 106 columns still
// fit the display after the step.
bool font_can_grow(int fs, int display_width);
// Smaller: while fs >= (display width div 128) x 2 + 2 (128 columns fill the
// display) and the step stays at 12 or above, however narrow the display.
bool font_can_shrink(int fs, int display_width);
// fs after the command: 2 more or less, or unchanged when not allowed.
int grown_font(int fs, int display_width);
int shrunk_font(int fs, int display_width);

// Top-level items of each menu, separators included.
constexpr int kDataMenuItems = 6;
constexpr int kOptionsMenuItems = 11;

struct MenuPlace {
    int x = 0, y = 0;
    bool operator==(const MenuPlace&) const = default;
};
// The menu's top-left corner in screen pixels: x = form left + 30 fs (data
// menu) or (45 fs) div 2 (options menu), y = form top + form height -
// (items + 4) x (fs + 4); form = the window's outer place and size.
MenuPlace data_menu_place(int form_left, int form_top, int form_height, int fs, int items = kDataMenuItems);
MenuPlace options_menu_place(int form_left, int form_top, int form_height, int fs);

// The colour-scheme index a colour item's tag edits (0 WinBg, 1 WinFg,
// 2 WinHiFg, 5 TitleAct, 6 FrameAct, 7 TitleNeg, 8 FrameNeg, 9 TitleFg, 20
// ScreenBg); 0 for any other tag.
int colour_of_tag(int tag);

// The report writer takes paths of at most 255 bytes.
constexpr std::size_t kMaxReportPath = 255;
inline bool report_path_fits(const std::string& path) { return !path.empty() && path.size() <= kMaxReportPath; }

// The program that opens a freshly written report: the Editor setting as it
// is, except where it cannot run here: an empty setting, or a Windows
// program ("notepad.exe", the setting's default) on another system, opens the
// report with the desktop's own application for it. Empty: open nothing
// (an empty setting on Windows).
std::string report_opener(const std::string& editor, bool windows);

}  // namespace prismel
