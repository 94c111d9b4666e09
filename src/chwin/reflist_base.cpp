#include "chwin/reflist_base.h"

#include "chwin/chw_keys.h"

namespace prismel {

int RefListBase::open(ChwWindow* parent) {
    if (!g_screen) return 0;
    screen_ = g_screen;
    ChwScreen& s = *screen_;
    const Shape sh = shape();
    window_ = s.create_window(parent, sh.title, kStyleFramed, 55, 2, sh.right, s.visible_rows() - 5);
    window_->key_handler = [this](int key, int flags) { return on_key(key, flags); };
    window_->mouse_handler = [this](int column, int row, int, int) { return on_mouse(column, row); };
    window_->double_click_handler = [this] { return pick(list_.index()); };
    window_->draw_handler = [this] {
        draw();
        return 0;
    };
    ++s.rubber_band.lock_count;
    s.show_window(window_);
    list_ = ChwList(window_, 1, window_->bottom - window_->top - 2, sh.entries, sh.entries);
    result_ = -1;
    reset_search();
    return 1;
}

int RefListBase::close() {
    if (!window_) return 0;
    before_close();
    ChwScreen& s = *screen_;
    --s.rubber_band.lock_count;
    list_ = ChwList();
    // close_window frees the window, and with it the handler running now:
    // nothing of the handler may be touched after this call.
    ChwWindow* w = window_;
    window_ = nullptr;
    s.close_window(w, true);
    return 1;
}

int RefListBase::pick(int result) {
    const int code = shape().picked_code;
    ChwScreen& s = *screen_;
    result_ = result;
    close();
    s.picker_result = code;
    return kResultWindowClosed;
}

int RefListBase::on_key(int key, int flags) {
    if (list_.key(*screen_, key, flags)) {
        reset_search();
        return kResultHandled;
    }
    if (key == kKeyEnter) return pick(list_.index());
    if (key == kKeyEsc) return pick(-1);
    // Key 0 only says the list is on top again; it is no character.
    if (key != kKeyRefresh) search_key(key);
    return kResultHandled;
}

int RefListBase::on_mouse(int column, int row) {
    const ChwWindow& w = *window_;
    if (row >= w.top + 2 && row <= w.bottom - 1) list_.go_to_row(row - w.top - 2 + list_.top_row);
    return 0;
}

}  // namespace prismel
