#pragma once
// The patch editor above the backdrop, and the grid read back per fixture.
#include <string>

#include "screen_fixture.h"
#include "screens/Setpat.h"

namespace prismel::test {

class SetpatTest : public ScreenTest {
protected:
    // Screen cells of the editor: window 0-90 x 1-22, grid from (2, 3).
    static constexpr int kTitleRow = 1;
    static constexpr int kFooterRow = 21;

    ~SetpatTest() override { setpat_close(); }

    void open() { ASSERT_EQ(setpat_open(backdrop_), 1); }

    static int cell_column(int fixture) { return 2 + (fixture % 8) * 11; }
    static int number_row(int fixture) { return 3 + (fixture / 8) * 2; }
    // "    1    " and "TURB|  1 " of a fixture (0-based), as on the screen.
    std::string number_of(int fixture) const { return row(number_row(fixture), cell_column(fixture), 9); }
    std::string type_of(int fixture) const { return row(number_row(fixture) + 1, cell_column(fixture), 9); }
    // The two cells of the gap after a fixture's type strip.
    std::string gap_after(int fixture) const { return row(number_row(fixture) + 1, cell_column(fixture) + 9, 2); }

    int cursor() const { return setpat_cursor_fixture(); }
    void go_to(int fixture) {
        key(kKeyHome);
        for (int i = 0; i < fixture; ++i) key(kKeyRight);
    }
    static const PatchRecord& rec(int fixture) { return g_show.patch[fixture]; }
};

}  // namespace prismel::test
