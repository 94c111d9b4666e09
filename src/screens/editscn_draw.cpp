#include "screens/editscn_draw.h"

#include <cstdio>
#include <cstring>

#include "chwin/chw_keys.h"
#include "data/fixture_types.h"
#include "platform/text_codec.h"
#include "screens/engine_status.h"
#include "screens/screen_bar.h"
#include "screens/screen_window.h"

namespace prismel {

namespace {

const char* normal_labels() {
    static const char* t = sj("ｼｰﾝNo.|ｼｰﾝ名 |  色|サイズ|色参照|全ﾏｰｸ| ｺﾋﾟｰ|+1ｺﾋﾟｰ| 出力|$$$");
    return t;
}
const char* size_labels() {
    static const char* t = sj(" 10％| 20％| 30％| 40％| 50％| 60％| 70％| 80％| 90％|100％");
    return t;
}
const char* group_labels() {
    static const char* t = sj("Grp  1|Grp  2|Grp  3|Grp  4|Grp  5|Grp  6|Grp  7|Grp  8|Grp  9|Grp 10");
    return t;
}

const char* caption_of(EditscnBar bar) {
    static const char* size = sj(" サイズのワンタッチ設定");
    static const char* recall = sj(" グループでマーク");
    static const char* store = sj(" 現在のマークをグループに取込");
    switch (bar) {
        case EditscnBar::kSize: return size;
        case EditscnBar::kGroupRecall: return recall;
        case EditscnBar::kGroupStore: return store;
        default: return nullptr;
    }
}

void draw_header(ChwScreen& s, const ChwWindow& w, const EditscnView& v, const ShowData& show,
                 const EngineFields& engine) {
    static const char* output = sj("出力 ");
    if (v.scene == kNone)
        write_record_line(s, w, kNone, nullptr);
    else
        write_record_line(s, w, v.scene, name_text(show.scenes[v.scene].name).text);
    s.set_colours(WinHiFg, WinBg);
    at(s, w, 48, 1);
    s.write(output);
    write_engine_status(s, engine, show);
}

void draw_separator(ChwScreen& s, const ChwWindow& w) {
    static const char blanks[ChwScreen::kColumns + 1] =
        "                                                                "
        "                                                                ";
    s.set_colours(WinHiBg, WinBg);
    s.set_attribute(kAttrBar);
    at(s, w, 1, 2);
    s.write(blanks, w.width - 2);
    s.set_attribute(0);
}

// A five-byte colour name pushes a cell's second row into the gap column;
// the gap is blanked whenever the row ends before it.
void clean_gap(ChwScreen& s, const ChwWindow& w, int column) {
    if (s.cursor_column() != w.left + column + kCellTextColumns) return;
    s.set_normal_colours();
    s.write(" ");
}

void draw_empty_cell(ChwScreen& s, const ChwWindow& w, int f, int column, int row) {
    at(s, w, column, row);
    s.set_dark_text(HeaderB);
    s.writef(" %2d ", f + 1);
    s.set_colours(WinFg, WinNgFg);
    s.write("      ");
    at(s, w, column, row + 1);
    s.set_colours(WinFg, HeaderB);
    s.write("          ");
    clean_gap(s, w, column);
}

void draw_fixture_title(ChwScreen& s, const ChwWindow& w, int f, int column, int row, bool marked,
                        bool cursor, int layout) {
    char text[16];
    std::snprintf(text, sizeof text, " %2d  %s ", f + 1, layout_grid_label(layout));
    if (cursor)
        s.set_colours(marked ? HeaderY : WinNgFg, Cursor);
    else
        s.set_dark_text(marked ? HeaderY : WinHiBg);
    s.set_attribute(marked ? kAttrBoxed : 0);
    at(s, w, column, row);
    s.write(text);
    s.set_attribute(0);
}

void draw_fixture_colour(ChwScreen& s, const ShowData& show, const SceneRecord& scene, int f, int layout) {
    const int colour = shown_colour(scene.colour[f]);
    if (colour == kNone) {
        s.set_colours(WinFg, HeaderB);
        s.write("----");
        s.set_colours(WinFg, ColBlack);
        s.write("  ");
        s.set_colours(WinFg, HeaderB);
        s.write(" -- ");
        return;
    }
    s.set_colours(WinFg, HeaderB);
    s.writef("%-4s", name_text(show.colours.rec[colour].name).text);
    s.set_bg_value(show.colours.display_colour(colour));
    s.set_attribute(kAttrBoxed);
    s.write("  ");
    s.set_attribute(0);
    s.set_colours(WinFg, HeaderB);
    s.write(layout_has_size(layout) ? size_text(scene.size[f]).text : " -- ");
}

void draw_scene_cell(ChwScreen& s, const ChwWindow& w, const EditscnView& v, const ShowData& show, int f,
                     int column, int row) {
    const int layout = show.patch[f].layout;
    draw_fixture_title(s, w, f, column, row, (*v.marks)[f] != 0, f == v.cursor, layout);
    at(s, w, column, row + 1);
    draw_fixture_colour(s, show, show.scenes[v.scene], f, layout);
    clean_gap(s, w, column);
}

}  // namespace

EditscnBar bar_of_modifiers(int flags) {
    if (has_shift(flags)) return EditscnBar::kSize;
    if (has_alt(flags)) return EditscnBar::kGroupRecall;
    if (has_ctrl(flags)) return EditscnBar::kGroupStore;
    return EditscnBar::kNormal;
}

const char* editscn_bar_labels(EditscnBar bar) {
    switch (bar) {
        case EditscnBar::kSize: return size_labels();
        case EditscnBar::kGroupRecall:
        case EditscnBar::kGroupStore: return group_labels();
        default: return normal_labels();
    }
}

bool is_editscn_bar(const char* labels) {
    return std::strcmp(labels, normal_labels()) == 0 || std::strcmp(labels, size_labels()) == 0 ||
           std::strcmp(labels, group_labels()) == 0;
}

void show_editscn_bar(ChwScreen& s, EditscnBar bar) {
    if (const char* caption = caption_of(bar))
        write_caption(s, caption);
    else
        clear_caption(s);
    keep_fkey_bar(s, editscn_bar_labels(bar));
}

void draw_editscn_window(ChwScreen& s, const ChwWindow& w, const EditscnView& v, const ShowData& show,
                         const EngineFields& engine) {
    draw_header(s, w, v, show, engine);
    draw_separator(s, w);
    for (int f = 0; f < kFixtures; ++f) {
        const int column = (f % kGridColumns) * kCellColumns + kGridLeft;
        const int row = (f / kGridColumns) * kCellRows + kGridTop;
        if (v.scene == kNone || !v.marks)
            draw_empty_cell(s, w, f, column, row);
        else
            draw_scene_cell(s, w, v, show, f, column, row);
    }
    if (!is_editscn_bar(s.fkey_labels())) keep_fkey_bar(s, normal_labels());
}

}  // namespace prismel
