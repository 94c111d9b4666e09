#pragma once
// The scene editor above the backdrop on a 128-column screen (window at
// columns 1-92, rows 1-24), a fresh program's editor state, and the places
// of the grid's cells.
#include <string>

#include "screen_fixture.h"
#include "screens/Editscn.h"

namespace prismel::test {

class EditscnTest : public ScreenTest {
protected:
    static constexpr int kLeft = 1;
    static constexpr int kTop = 1;
    static constexpr int kHeaderRow = kTop + 1;
    static constexpr int kFooterRow = kTop + 22;  // bottom - 1

    EditscnTest() { editscn_reset(); }
    ~EditscnTest() override {
        editscn_close();
        editscn_reset();
    }

    void open() { ASSERT_EQ(editscn_open(backdrop_), 1); }

    // Screen cell of the first column of a fixture's cell, and its rows.
    static int cell_column(int f) { return kLeft + (f % 8) * 11 + 2; }
    static int title_row(int f) { return kTop + (f / 8) * 2 + 3; }
    static int colour_row(int f) { return title_row(f) + 1; }

    // What the grid shows, after a tick.
    std::string title_of(int f) {
        tick();
        return row(title_row(f), cell_column(f), 10);
    }
    std::string colour_of(int f) {
        tick();
        return row(colour_row(f), cell_column(f), 10);
    }
    // Marked fixtures are boxed.
    bool marked(int f) {
        tick();
        return cell(cell_column(f), title_row(f)).attr != 0;
    }
    std::string marks_shown() {
        std::string m;
        for (int f = 0; f < kFixtures; ++f) m += marked(f) ? 'x' : '.';
        return m;
    }
    // The cursor fixture carries the Cursor background.
    int cursor_shown() {
        tick();
        for (int f = 0; f < kFixtures; ++f)
            if (cell(cell_column(f), title_row(f)).bg == colour(Cursor)) return f;
        return kNone;
    }

    void press_modifier(int k, int flags) { key(k, flags); }
    void release_modifier(int k) { deliver_key_release(screen_, k, 0); }

    static SceneRecord& scene(int i) { return g_show.scenes[i]; }
};

}  // namespace prismel::test
