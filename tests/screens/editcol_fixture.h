#pragma once
// The user colour editor above the backdrop, with helpers to put the cursor
// on a colour's field and to read a colour row back from the grid.
#include <string>

#include "screen_fixture.h"
#include "screens/Editcol.h"
#include "screens/editcol_rules.h"

namespace prismel::test {

class EditcolTest : public ScreenTest {
protected:
    static constexpr int kLeft = 6;          // window columns 6-42
    static constexpr int kStatusRow = 2;     // window top 1 + 1
    static constexpr int kHeaderRow = 3;
    static constexpr int kFirstRow = 4;      // first colour row on the screen
    static constexpr int kPageRows = 55;     // bottom 59 - top 1 - 3

    ~EditcolTest() override { editcol_close(); }

    void open() { ASSERT_EQ(editcol_open(backdrop_), 1); }

    // The cursor on user colour 401 + user_row, field column (0 number ... 4 C).
    void go(int user_row, int column) {
        key(kKeyHome);
        for (int i = 0; i < user_row; ++i) key(kKeyDown);
        for (int i = 0; i < column; ++i) key(kKeyRight);
    }

    static ColourRecord& user(int user_row) { return g_show.colours.rec[kFirstUserColour + user_row]; }

    // A colour row's interior (window columns 1-35), for a row on the first page.
    std::string colour_row(int page_row) const { return row(kFirstRow + page_row, kLeft + 1, 35); }
    // The cell at a window column of a colour row.
    const ChwCell& field(int page_row, int window_column) const {
        return cell(kLeft + window_column, kFirstRow + page_row);
    }
};

}  // namespace prismel::test
