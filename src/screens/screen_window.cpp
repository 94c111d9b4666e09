#include "screens/screen_window.h"

#include <cstring>

#include "data/text_fit.h"
#include "platform/text_codec.h"
#include "screens/undo_keys.h"

namespace prismel {

const ChwKeyTable& editor_toolkit_keys() { return undo_key_table(); }

ChwWindow* open_screen_window(ChwWindow* parent, const char* title, uint32_t style, int left, int top,
                              int right, int bottom, ScreenHandlers handlers) {
    if (!g_screen) return nullptr;
    ChwWindow* w = g_screen->create_window(parent, title, style, left, top, right, bottom);
    // An editor's keys and clicks can be taken back (undo_keys.h).
    w->key_handler = undoable_keys(std::move(handlers.key), handlers.edits);
    w->mouse_handler = undoable_clicks(std::move(handlers.mouse), handlers.edits);
    w->double_click_handler = std::move(handlers.double_click);
    w->draw_handler = std::move(handlers.draw);
    w->edited_tables = handlers.edits;
    if (handlers.edits) w->toolkit_keys = &editor_toolkit_keys();
    g_screen->show_window(w);
    return w;
}

void close_screen_window(ChwWindow*& w) {
    if (!w) return;
    // close_window frees the window and with it the handler that may be
    // running now: nothing of it is touched afterwards.
    ChwWindow* closing = w;
    w = nullptr;
    if (g_screen)
        g_screen->close_window(closing, true);
    else
        delete closing;
}

void write_labels(ChwScreen& s, std::initializer_list<const char*> labels) {
    s.set_dark_text(WinHiBg);
    s.set_attribute(kAttrBoxed);
    for (const char* l : labels) s.write(l);
    s.set_attribute(0);
}

void write_record_line(ChwScreen& s, const ChwWindow& w, int index, const char* name) {
    static const char* number_label = sj("No.");
    static const char* name_label = sj("名前");
    s.set_dark_text(WinHiBg);
    at(s, w, 2, 1);
    s.write(number_label);
    at(s, w, 12, 1);
    s.write(name_label);
    s.set_normal_colours();
    at(s, w, 6, 1);
    if (name)
        s.writef("%3d", index + 1);
    else
        s.write("---");
    at(s, w, 17, 1);
    s.writef("%-20s", name ? name : "");
}

void copy_name(const char* field, std::size_t field_bytes, char* out) {
    // The field's last byte is its terminator's place, but a damaged file
    // need not hold one there: read no further, and drop a lead byte whose
    // trail was cut off.
    const std::size_t n = field_bytes == 0 ? 0 : strnlen(field, field_bytes - 1);
    std::memcpy(out, field, n);
    out[n] = '\0';
    out[sjis_fit(out, n)] = '\0';
}

void put_name(char* field, std::size_t field_bytes, const char* text, std::size_t bytes) {
    if (field_bytes == 0) return;
    if (bytes > field_bytes - 1) bytes = field_bytes - 1;
    std::memmove(field, text, bytes);
    const std::size_t n = sjis_fit(field, bytes);
    std::memset(field + n, 0, field_bytes - n);
}

}  // namespace prismel
