#pragma once
// What every screen does with its window: open it on top of its parent with
// its handlers, write into it at window-relative cells, and close it.
#include <cstddef>
#include <initializer_list>

#include "chwin/chw_key_table.h"
#include "chwin/chw_screen.h"

namespace prismel {

struct ScreenHandlers {
    ChwKeyHandler key;
    ChwMouseHandler mouse;
    ChwDoubleClickHandler double_click;
    ChwDrawHandler draw;
    // The show tables the screen edits (edited_tables.h); 0 for none.
    uint8_t edits = 0;
};

// The keys the toolkit handles around every editor's own (a window that
// edits show tables): the key map lists them after the editor's.
const ChwKeyTable& editor_toolkit_keys();

// Creates the framed window (cells inclusive) above parent on g_screen,
// installs the handlers and shows it. nullptr without a screen.
ChwWindow* open_screen_window(ChwWindow* parent, const char* title, uint32_t style, int left, int top,
                              int right, int bottom, ScreenHandlers handlers);
// Closes and frees the window and forgets it; nothing when it is null.
void close_screen_window(ChwWindow*& w);

// The cursor to a cell of the window (column and row from its top-left).
inline void at(ChwScreen& s, const ChwWindow& w, int column, int row) { s.move_cursor_in(&w, column, row); }

// Header labels side by side as boxed fields in WinNgFg on WinHiBg.
void write_labels(ChwScreen& s, std::initializer_list<const char*> labels);

// Window row 1 of the scene and chase editors: the "No." and "名前" labels,
// then the record's number (index + 1) and name; "---" and blanks while the
// name is null (no record chosen).
void write_record_line(ChwScreen& s, const ChwWindow& w, int index, const char* name);

// A name field's text for display: up to its terminator, at most
// field_bytes - 1 bytes (the last byte is the terminator's place), cut at a
// whole character, terminated. out holds field_bytes bytes.
void copy_name(const char* field, std::size_t field_bytes, char* out);

// Writes a name field of field_bytes bytes: the first `bytes` bytes of text
// (up to a terminator among them, at most field_bytes - 1), cut at a whole
// character, then zeros to the field's end. text may be the field itself:
// that repairs a name read from a damaged file.
void put_name(char* field, std::size_t field_bytes, const char* text, std::size_t bytes);
template <std::size_t N>
void put_name(char (&field)[N], const char* text, std::size_t bytes) {
    put_name(field, N, text, bytes);
}
template <std::size_t N>
void repair_name(char (&field)[N]) {
    put_name(field, N, field, N - 1);
}

// The text of a name field, for the fields of the show's records.
template <std::size_t N>
struct NameText {
    char text[N];
};
template <std::size_t N>
NameText<N> name_text(const char (&field)[N]) {
    NameText<N> t;
    copy_name(field, N, t.text);
    return t;
}

}  // namespace prismel
