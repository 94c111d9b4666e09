#include <gtest/gtest.h>

#include <algorithm>

#include "chwin/chw_screen.h"
#include "chwin/grid_dump.h"
#include "platform/text_codec.h"

namespace prismel {
namespace {

TEST(GridDumpTest, RowTextIsUtf8AndKeepsPairsWhole) {
    ChwScreen s;
    s.move_cursor(0, 0);
    s.write(sj("ﾃｽﾄ 色付き\\"));
    EXPECT_EQ(row_text(s, 0, 0, 10), "ﾃｽﾄ 色付き");
    EXPECT_EQ(row_text(s, 0, 4, 2), "色");
    // A range that cuts a pair shows blanks for its halves.
    EXPECT_EQ(row_text(s, 0, 5, 2), "  ");
    EXPECT_EQ(row_text(s, 0, 10, 1), "\\");
    EXPECT_EQ(row_text(s, 64, 0, 1), "");
    EXPECT_EQ(row_text(s, 1).size(), 128u);
}

TEST(GridDumpTest, GaugesShowAsBlocks) {
    ChwScreen s;
    s.move_cursor(0, 0);
    s.write_level_gauge(0, HeaderY);
    s.write_level_gauge(255, HeaderY);
    EXPECT_EQ(row_text(s, 0, 0, 4), "\u2581\u2581\u2588\u2588");
}

TEST(GridDumpTest, DumpWithDetailsListsColourRuns) {
    ChwScreen s;
    s.set_visible(92, 29);
    s.move_cursor(0, 0);
    s.set_colours(WinNgFg, Button);
    s.set_attribute(0xA0);
    s.write("AB");
    GridDumpOptions o;
    o.last_row = 1;
    o.columns = 4;
    EXPECT_EQ(dump_grid(s, o), "AB  \n    \n");
    o.last_row = 0;
    o.details = true;
    EXPECT_EQ(dump_grid(s, o),
              "AB  \n"
              "    0-  1 fg=660000 bg=CCCCEE attr=0xA0\n"
              "    2-  3 fg=FFFFFF bg=002200 attr=0x0\n");
    GridDumpOptions all;
    std::string text = dump_grid(s, all);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 29);
}

}  // namespace
}  // namespace prismel
