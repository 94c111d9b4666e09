#pragma once
// The cue editor above the backdrop: window columns 1-88, rows 0-60 on the
// 64-row screen, 55 visible records from screen row 3.
#include <string>

#include "screen_fixture.h"
#include "screens/Editcue.h"

namespace prismel::test {

class EditcueTest : public ScreenTest {
protected:
    static constexpr int kFirstRow = 3;     // screen row of the first visible record
    static constexpr int kPageRows = 55;    // 60 - 0 - 5
    static constexpr int kFooterRow = 59;   // window bottom 60 - 1
    // Screen columns of the cells (window-relative x + window left 1).
    static constexpr int kNumberCol = 3, kWaitCol = 10, kSceneCol = 15, kSceneXCol = 40, kChaseCol = 48,
                         kRateCol = 72, kChaseXCol = 77, kModeCol = 83;

    ~EditcueTest() override { editcue_close(); }

    void open() {
        ASSERT_EQ(editcue_open(backdrop_), 1);
        tick();
    }
    // The record shown on a page row, from the window's column 1 to its frame.
    std::string record_row(int page_row) const { return row(kFirstRow + page_row, 2, 86); }
    // The cursor to a cue (by position) and a column, with the keys.
    void go(int cue, int column) {
        key(kKeyHome);
        for (int i = 0; i < cue; ++i) key(kKeyDown);
        for (int i = 0; i < column; ++i) key(kKeyRight);
    }
    static CueRecord& cue(int i) { return g_show.cues[i]; }
    bool cursor_on(int column, int screen_row) const { return cell(column, screen_row).bg == colour(Cursor); }
};

}  // namespace prismel::test
