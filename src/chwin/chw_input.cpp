#include "chwin/chw_input.h"

#include "chwin/chw_fkey_bar.h"
#include "chwin/chw_key_map.h"
#include "chwin/chw_keys.h"

namespace prismel {

namespace {

int call_key(ChwScreen& s, int key, int flags) {
    ChwWindow* top = s.top_window();
    if (!top || !top->key_handler) return 0;
    return top->key_handler(key, flags);
}

// The host re-reads the top window after every handler: it may have opened
// or closed windows.
void act_on_result(ChwScreen& s, int result, int flags) {
    if (result == kResultWindowClosed && s.top_window()) {
        s.show_window(s.top_window());
        call_key(s, kKeyRefresh, flags);
    } else if (result == kResultRedrawTop && s.top_window()) {
        s.show_window(s.top_window());
    }
}

}  // namespace

int deliver_key(ChwScreen& s, int key, int flags) {
    ChwWindow* top = s.top_window();
    if (!top || !top->key_handler) return 0;
    // Ctrl+H is the key map's on every screen that has a key table.
    if (key == kKeyMapKey && (flags & (kModShift | kModAlt | kModCtrl)) == kModCtrl && open_key_map(s))
        return kResultHandled;
    const int result = top->key_handler(map_numpad(key), flags);
    act_on_result(s, result, flags);
    return result;
}

void deliver_key_release(ChwScreen& s, int key, int flags) {
    if (key == kKeyShift || key == kKeyCtrl || key == kKeyAlt) call_key(s, key, flags);
}

ChwPress deliver_left_press(ChwScreen& s, int column, int row, int button, int flags) {
    ChwPress press;
    ChwWindow* top = s.top_window();
    if (!top || !top->key_handler) return press;
    if (row == s.fkey_row())
        press.key = fkey_at_column(column);
    else if (top->mouse_handler && !s.rubber_band.suppress_next_mouse)
        press.key = top->mouse_handler(column, row, button, flags);
    s.rubber_band.suppress_next_mouse = 0;
    if (press.key == 0) return press;
    s.press_fkey(press.key);
    press.result = deliver_key(s, press.key, flags);
    return press;
}

int deliver_left_click(ChwScreen& s, int column, int row, int button, int flags) {
    return deliver_left_press(s, column, row, button, flags).key;
}

int deliver_double_click(ChwScreen& s) {
    ChwWindow* top = s.top_window();
    if (!top || !top->double_click_handler) return 0;
    const int result = top->double_click_handler();
    if (result == kResultWindowClosed && s.top_window()) {
        s.show_window(s.top_window());
        call_key(s, kKeyRefresh, 0);
        s.rubber_band.suppress_next_mouse = 1;
    }
    return result;
}

void deliver_wheel(ChwScreen& s, int delta, int flags) {
    if (flags & kModShift) {
        call_key(s, delta >= 0 ? kKeyShiftWheelUp : kKeyShiftWheelDown, flags);
        call_key(s, kKeyRefresh, flags);
    } else {
        call_key(s, delta >= 0 ? kKeyUp : kKeyDown, flags);
    }
}

void deliver_tick(ChwScreen& s) {
    ChwWindow* top = s.top_window();
    if (top && top->draw_handler) top->draw_handler();
}

}  // namespace prismel
