#pragma once
// The function-key editor above the backdrop, opened and drawn once.
#include "screen_fixture.h"
#include "screens/Editfky.h"

namespace prismel::test {

class EditfkyTest : public ScreenTest {
protected:
    static constexpr int kLeft = 4;  // window columns 4-60, rows 1-59
    static constexpr int kTop = 1;

    ~EditfkyTest() override { editfky_close(); }

    void open() {
        ASSERT_EQ(editfky_open(backdrop_), 1);
        tick();
    }
    // Screen row of key k (0 = F1), and a part of it by window column.
    static int key_row(int k) { return kTop + 2 + k; }
    std::string key_text(int k, int window_column, int n) const { return row(key_row(k), kLeft + window_column, n); }
    // The cell of window column c on key k's row.
    const ChwCell& key_cell(int k, int window_column) const { return cell(kLeft + window_column, key_row(k)); }
    bool cursor_on(int k, int window_column) const { return key_cell(k, window_column).bg == colour(Cursor); }
    // The cursor to key k's row (column kept as the keys leave it).
    void to_key(int k) {
        key(kKeyHome);
        for (int i = 0; i < k; ++i) key(kKeyDown);
    }
    // A digit typed on the row: the input opens with it and Enter takes it.
    void type_digit(char d, const char* rest = "") {
        input_.type(std::string(1, d) + rest);
        key(d);
    }
    static const FkeyRecord& fkey(int k) { return g_show.fkeys[k]; }
    static std::string label(int k) { return to_utf8(std::string(fkey(k).label, strnlen(fkey(k).label, 8))); }
};

}  // namespace prismel::test
