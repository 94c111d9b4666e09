// The colour list: 500 colours found by incremental search on the name.
#include <cstring>

#include "chwin/chw_keys.h"
#include "chwin/reflist.h"
#include "chwin/reflist_base.h"
#include "data/show_data.h"
#include "platform/text_codec.h"

namespace prismel {

namespace {

constexpr int kSearchBytes = 10;
constexpr int kFirstUserColour = 400;
constexpr int kNameField = sizeof(ColourRecord::name);

// The stored name up to its NUL, never beyond the field (files are untrusted).
int name_length(const ColourRecord& r) {
    return static_cast<int>(strnlen(r.name, kNameField));
}

class ColourList : public RefListBase {
public:
    // Typed characters the draw handler shows in the cursor colour.
    int typed() const { return typed_; }

protected:
    Shape shape() const override {
        static const char* title = sj("カラー選択");
        return {title, 88, kColours, kPickedColour};
    }

    void reset_search() override {
        typed_ = 0;
        last_match_ = -1;
        text_len_ = 0;
    }

    void before_close() override { screen().set_message_line(""); }

    void search_key(int key) override {
        if (key == kKeyF5) {
            list_.top_row = kFirstUserColour;
            list_.cursor_row = 0;
            list_.cursor_column = 0;
            list_.last_move = 1;
            return;
        }
        const char c = static_cast<char>(key & 0xFF);
        if (typed_ == 0) {
            text_[0] = c;
            text_len_ = 1;
        } else if (typed_ < kSearchBytes) {
            text_[text_len_++] = c;
        }
        const int found = find(last_match_ < 0 ? 0 : last_match_);
        if (found >= 0) {
            static const char* searching = sj("インクリメンタルサーチ中(カーソル移動で解除)");
            list_.go_to_row(found);
            last_match_ = found;
            if (typed_ < kSearchBytes) ++typed_;
            screen().set_message_line(searching);
        } else {
            static const char* not_found = sj("見つかりません");
            screen().set_message_line(not_found);
            typed_ = 0;
            last_match_ = -1;
        }
    }

    void draw() override;

private:
    int find(int from) const {
        for (int i = from; i < kColours; ++i) {
            const ColourRecord& r = g_show.colours.rec[i];
            if (name_length(r) >= text_len_ && std::memcmp(r.name, text_, text_len_) == 0) return i;
        }
        return -1;
    }
    void draw_entry(int page_row, int e);

    int typed_ = 0;
    int last_match_ = -1;
    char text_[kSearchBytes] = {};
    int text_len_ = 0;
};

void ColourList::draw_entry(int i, int e) {
    ChwScreen& s = screen();
    const ColourRecord& r = g_show.colours.rec[e];
    const bool cursor = i == list_.cursor_row;
    s.set_colours(e < kPresets ? HeaderC : HeaderG, WinBg);
    s.writef(" %3d ", e + 1);
    const int len = name_length(r);
    if (len == 0) {
        if (cursor)
            s.set_colours(WinNgFg, ColBlue);
        else
            s.set_normal_colours();
        s.write("       ");
        s.set_normal_colours();
        s.write("                  ");
        return;
    }
    char name[8];
    std::memset(name, ' ', 7);
    std::memcpy(name, r.name, len);
    name[7] = 0;
    // While searching, only the typed part carries the cursor colour; the
    // split never falls inside a double-byte character.
    int marked = 7;
    if (typed_ > 0 && typed_ < 7) {
        marked = 0;
        while (marked < typed_) marked += is_sjis_lead(static_cast<unsigned char>(name[marked])) ? 2 : 1;
        if (marked > 7) marked = 7;
    }
    if (cursor)
        s.set_colours(WinNgFg, Cursor);
    else
        s.set_normal_colours();
    s.write(name, marked);
    s.set_normal_colours();
    s.write(name + marked, 7 - marked);
    s.set_attribute(kAttrBoxed);
    s.set_bg_value(g_show.colours.display_colour(e));
    s.write("   ");
    s.set_attribute(0);
    s.set_normal_colours();
    s.writef("  %3d  %3d  %3d", r.y, r.m, r.c);
}

void ColourList::draw() {
    static const char* head_name = sj("   ｶﾗｰ名       ");
    static const char* head_levels = sj("    Y    M    C  ");
    static const char* labels = sj("$$$$ ﾕｰｻﾞｰ");
    ChwScreen& s = screen();
    const ChwWindow& w = window();
    s.move_cursor_in(&w, 1, 1);
    s.set_dark_text(WinHiBg);
    s.set_attribute(kAttrBoxed);
    s.write(head_name);
    s.write(head_levels);
    s.set_attribute(0);
    for (int i = 0; i < list_.page_rows; ++i) {
        const int e = list_.top_row + i;
        s.move_cursor_in(&w, 1, i + 2);
        // Rows past the last colour are blanked, so a scrolled page never
        // keeps the entries it showed before.
        if (e < kColours) draw_entry(i, e);
        s.set_normal_colours();
        s.clear_to_frame(&w);
    }
    s.draw_fkey_bar(labels);
}

ColourList g_colour_list;

}  // namespace

int open_colour_list(ChwWindow* parent) { return g_colour_list.open(parent); }
int close_colour_list() { return g_colour_list.close(); }
int colour_list_result() { return g_colour_list.result(); }
const ChwList* colour_list_control() { return g_colour_list.control(); }

}  // namespace prismel
