#include "shell/popup_rules.h"

#include "chwin/chw_colours.h"

namespace prismel {

std::string report_opener(const std::string& editor, bool windows) {
    if (windows) return editor;
    std::string lower;
    for (char c : editor) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    const bool windows_program = lower.size() > 4 && lower.compare(lower.size() - 4, 4, ".exe") == 0;
    return editor.empty() || windows_program ? "xdg-open" : editor;
}


bool font_can_grow(int fs, int display_width) { return (display_width / 106) * 2 - 2 >= fs; }

bool font_can_shrink(int fs, int display_width) {
    return fs >= (display_width / 128) * 2 + 2 && fs - 2 >= kMinFontSize;
}

int grown_font(int fs, int display_width) { return font_can_grow(fs, display_width) ? fs + 2 : fs; }
int shrunk_font(int fs, int display_width) { return font_can_shrink(fs, display_width) ? fs - 2 : fs; }

namespace {

MenuPlace place(int form_left, int form_top, int form_height, int fs, int offset, int items) {
    return {form_left + offset, form_top + form_height - (items + 4) * (fs + 4)};
}

}  // namespace

MenuPlace data_menu_place(int form_left, int form_top, int form_height, int fs, int items) {
    return place(form_left, form_top, form_height, fs, 30 * fs, items);
}

MenuPlace options_menu_place(int form_left, int form_top, int form_height, int fs) {
    return place(form_left, form_top, form_height, fs, (45 * fs) / 2, kOptionsMenuItems);
}

int colour_of_tag(int tag) {
    switch (tag) {
    case 0: return WinBg;
    case 1: return WinFg;
    case 2: return WinHiFg;
    case 5: return TitleAct;
    case 6: return FrameAct;
    case 7: return TitleNeg;
    case 8: return FrameNeg;
    case 9: return TitleFg;
    case 20: return ScreenBg;
    default: return 0;
    }
}

}  // namespace prismel
