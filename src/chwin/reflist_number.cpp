// The scene and chase lists: entries picked by a number typed on the digit keys.
#include <cstring>

#include "chwin/chw_keys.h"
#include "chwin/inp_line.h"
#include "chwin/reflist.h"
#include "chwin/reflist_base.h"
#include "data/show_data.h"
#include "platform/text_codec.h"

namespace prismel {

namespace {

constexpr int kNameField = sizeof(SceneRecord::name);
static_assert(sizeof(ChaseRecord::name) == kNameField);

class NumberList : public RefListBase {
protected:
    virtual const char* invalid_number() const = 0;  // CP932 message
    virtual const char* name_of(int e) const = 0;    // field of kNameField bytes
    virtual void draw_labels() = 0;

    void reset_search() override {
        digits_ = 0;
        number_ = 0;
    }

    void search_key(int key) override {
        if (key < kKey0 || key > kKey9) return;
        const int d = key - kKey0;
        const int max = shape().entries;
        if (digits_ == 0) {
            if (d != 0) {
                number_ = d;
                digits_ = 1;
            }
        } else if (digits_ < 3) {
            if (number_ * 10 <= max) {
                number_ = number_ * 10 + d;
                ++digits_;
            } else {
                digits_ = 0;
                screen().set_message_line("");
            }
        }
        if (number_ >= 1 && number_ <= max) {
            static const char* searching = sj("インクリメンタルサーチ中(カーソル移動で解除)");
            list_.go_to_row(number_ - 1);
            screen().set_message_line(searching);
            if (number_ >= 100) {
                digits_ = 0;
                screen().set_message_line("");
            }
        } else {
            screen().show_message(invalid_number());
            digits_ = 0;
        }
    }

    void draw() override;

private:
    void draw_number(int i, int n);

    int digits_ = 0;
    int number_ = 0;
};

// While a number is typed, the cursor colour covers only the digits and the
// blank after them, so the operator sees how much has been typed.
void NumberList::draw_number(int i, int n) {
    ChwScreen& s = screen();
    if (digits_ != 0 && n < 100) {
        s.write(n < 10 ? "   " : "  ");
        list_.mark_cursor_cell(s, i, 0);
        s.writef(n < 10 ? "%1d " : "%2d ", n);
    } else {
        list_.mark_cursor_cell(s, i, 0);
        s.writef(" %3d ", n);
    }
}

void NumberList::draw() {
    static const char* head_no = sj("  No. ");
    static const char* head_name = sj(" 名前                 ");
    ChwScreen& s = screen();
    const ChwWindow& w = window();
    s.move_cursor_in(&w, 1, 1);
    s.set_dark_text(WinHiBg);
    s.set_attribute(kAttrBoxed);
    s.write(head_no);
    s.write(head_name);
    s.set_attribute(0);
    const int max = shape().entries;
    for (int i = 0; i < list_.page_rows; ++i) {
        const int e = list_.top_row + i;
        s.move_cursor_in(&w, 1, i + 2);
        s.set_normal_colours();
        // Rows past the last entry are blanked, so a scrolled page never
        // keeps the entries it showed before.
        if (e < max) {
            draw_number(i, e + 1);
            char name[kNameField + 1];
            std::memcpy(name, name_of(e), kNameField);
            name[kNameField] = 0;
            s.set_colours(WinHiFg, WinBg);
            s.writef(" %-20s", name);
            s.set_normal_colours();
        }
        s.clear_to_frame(&w);
    }
    draw_labels();
}

class SceneList : public NumberList {
protected:
    Shape shape() const override {
        static const char* title = sj("シーンの参照");
        return {title, 84, kScenes, kPickedScene};
    }
    const char* invalid_number() const override {
        static const char* m = sj("不正なシーンNo.です");
        return m;
    }
    const char* name_of(int e) const override { return g_show.scenes[e].name; }
    void draw_labels() override { screen().draw_fkey_bar(""); }
};

class ChaseList : public NumberList {
protected:
    Shape shape() const override {
        static const char* title = sj("チェイスの参照");
        return {title, 84, kChases, kPickedChase};
    }
    const char* invalid_number() const override {
        static const char* m = sj("不正なチェイスNo.です");
        return m;
    }
    const char* name_of(int e) const override { return g_show.chases[e].name; }
    void draw_labels() override {
        if (!line_input_open() && screen().fkey_labels()[0] != 0) screen().draw_fkey_bar("");
    }
};

SceneList g_scene_list;
ChaseList g_chase_list;

}  // namespace

int open_scene_list(ChwWindow* parent) { return g_scene_list.open(parent); }
int close_scene_list() { return g_scene_list.close(); }
int scene_list_result() { return g_scene_list.result(); }
const ChwList* scene_list_control() { return g_scene_list.control(); }

int open_chase_list(ChwWindow* parent) { return g_chase_list.open(parent); }
int close_chase_list() { return g_chase_list.close(); }
int chase_list_result() { return g_chase_list.result(); }
const ChwList* chase_list_control() { return g_chase_list.control(); }

}  // namespace prismel
