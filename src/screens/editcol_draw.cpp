#include "screens/editcol_draw.h"

#include "platform/text_codec.h"
#include "screens/editcol_rules.h"
#include "screens/engine_status.h"
#include "screens/screen_bar.h"
#include "screens/screen_window.h"

namespace prismel {

namespace {

constexpr char kBlanks[] = "                                        ";

// Blanks in the normal colours up to a window column.
void pad_to(ChwScreen& s, const ChwWindow& w, int column) {
    const int n = w.left + column - s.cursor_column();
    s.set_normal_colours();
    if (n > 0) s.write(kBlanks, n < static_cast<int>(sizeof kBlanks) - 1 ? n : sizeof kBlanks - 1);
}

void draw_swatch(ChwScreen& s, const ColourTable& colours, int colour) {
    s.set_fg(WinFg);
    s.set_bg_value(colours.display_colour(colour));
    s.set_attribute(kAttrBoxed);
    s.write("    ");
    s.set_attribute(0);
}

void draw_colour_row(ChwScreen& s, const ChwWindow& w, const ChwList& cursor, int page_row, int preview,
                     const ColourTable& colours) {
    const int user = cursor.top_row + page_row;
    at(s, w, 1, kEditcolFirstRow + page_row);
    s.set_normal_colours();
    if (user < 0 || user >= kUserColours) {
        s.clear_to_frame(&w);
        return;
    }
    const int colour = kFirstUserColour + user;
    const ColourRecord& r = colours.rec[colour];

    pad_to(s, w, kEditcolNumberAt);
    s.set_colours(colour == preview ? HeaderY : WinHiFg, WinBg);
    cursor.mark_cursor_cell(s, page_row, kEditcolNumber);
    s.writef("%3d", colour + 1);

    pad_to(s, w, kEditcolNameAt);
    cursor.mark_cursor_cell(s, page_row, kEditcolName);
    s.writef("%-4s", name_text(r.name).text);

    pad_to(s, w, kEditcolSwatchAt);
    draw_swatch(s, colours, colour);

    const uint8_t levels[3] = {r.y, r.m, r.c};
    for (int k = 0; k < 3; ++k) {
        pad_to(s, w, kEditcolLevelAt[k]);
        cursor.mark_cursor_cell(s, page_row, kEditcolY + k);
        s.writef("%3d", levels[k]);
    }
    s.set_normal_colours();
    s.clear_to_frame(&w);
}

}  // namespace

void editcol_draw_window(ChwScreen& s, const ChwWindow& w, const ChwList& cursor, const EngineFields& f,
                         const ShowData& show) {
    static const char* output = sj("出力 ");
    static const char* number_label = sj(" No.   ｶﾗｰ名       ");
    static const char* level_label = sj("  Y    M    C   ");
    static const char* level_bar = sj("$$$$ 値-1| 値+1|$$ 出力|$$$");
    static const char* other_bar = sj("$$$$$$$$ 出力|$$$");

    at(s, w, 17, kEditcolStatusRow);
    s.set_colours(WinHiFg, WinBg);
    s.write(output);
    write_engine_status(s, f, show);

    at(s, w, 1, kEditcolHeaderRow);
    write_labels(s, {number_label, level_label});

    for (int page_row = 0; page_row < cursor.page_rows; ++page_row)
        draw_colour_row(s, w, cursor, page_row, f.colour_preview, show.colours);

    keep_fkey_bar(s, is_level_column(cursor.cursor_column) ? level_bar : other_bar);
}

}  // namespace prismel
