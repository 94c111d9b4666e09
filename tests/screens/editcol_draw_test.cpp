// What the user colour editor shows, read back from the grid.
#include <cstring>

#include "editcol_fixture.h"

namespace prismel::test {
namespace {

class EditcolDraw : public EditcolTest {
protected:
    void SetUp() override {
        set_colour(400, "RED", 255, 255, 0);
        set_colour(401, "4", 0, 128, 64);
        open();
        tick();
    }
    // Window columns 1-35 of a colour row as drawn: number, name, swatch, Y, M, C.
    static std::string expected_row(const char* number, const std::string& name4, const char* y, const char* m,
                                    const char* c) {
        return " " + std::string(number) + "  " + name4 + "    " + "    " + " " + y + "  " + m + "  " + c + "   ";
    }
};

TEST_F(EditcolDraw, StatusHeaderAndRows) {
    EXPECT_EQ(row(kStatusRow, kLeft + 17, 17), "出力 OFF         ");
    EXPECT_EQ(cell(kLeft + 17, kStatusRow).fg, colour(WinHiFg));
    EXPECT_EQ(row(kHeaderRow, kLeft + 1, 35), " No.   ｶﾗｰ名         Y    M    C   ");
    EXPECT_EQ(cell(kLeft + 1, kHeaderRow).fg, colour(WinNgFg));
    EXPECT_EQ(cell(kLeft + 1, kHeaderRow).bg, colour(WinHiBg));
    EXPECT_EQ(colour_row(0), expected_row("401", "RED ", "255", "255", "  0"));
    EXPECT_EQ(colour_row(1), expected_row("402", "4   ", "  0", "128", " 64"));
    EXPECT_EQ(colour_row(2), expected_row("403", "    ", "  0", "  0", "  0"));
    EXPECT_EQ(colour_row(kPageRows - 1), expected_row("455", "    ", "  0", "  0", "  0"));
    EXPECT_EQ(field(0, 2).fg, colour(WinHiFg));
    EXPECT_EQ(field(1, 7).fg, colour(WinFg));
}

TEST_F(EditcolDraw, SwatchesInTheDisplayColour) {
    for (int page_row : {0, 1, 2}) {
        const uint32_t display = g_show.colours.display_colour(kFirstUserColour + page_row);
        EXPECT_EQ(field(page_row, 15).bg, display);
        EXPECT_EQ(field(page_row, 18).bg, display);
        EXPECT_EQ(field(page_row, 15).attr, 0xB0u);
        EXPECT_EQ(field(page_row, 16).attr, 0xA0u);
        EXPECT_EQ(field(page_row, 18).attr, 0xE0u);
        EXPECT_EQ(field(page_row, 19).attr, 0u);
    }
    EXPECT_EQ(field(0, 15).bg, 0x0000FFu);  // red
    user(0).c = 255;
    tick();
    EXPECT_EQ(field(0, 15).bg, 0u);  // black
}

TEST_F(EditcolDraw, TheCursorCellAndTheBarFollowTheColumn) {
    EXPECT_EQ(field(0, 2).bg, colour(Cursor));
    EXPECT_EQ(field(0, 4).bg, colour(Cursor));
    EXPECT_EQ(field(0, 7).bg, colour(WinBg));
    EXPECT_EQ(bar(), "$$$$$$$$ 出力|$$$");
    key(kKeyRight);
    EXPECT_EQ(field(0, 2).bg, colour(WinBg));
    EXPECT_EQ(field(0, 7).bg, colour(Cursor));
    EXPECT_EQ(field(0, 10).bg, colour(Cursor));
    EXPECT_EQ(field(0, 11).bg, colour(WinBg));
    EXPECT_EQ(bar(), "$$$$$$$$ 出力|$$$");
    key(kKeyRight);
    EXPECT_EQ(field(0, 20).bg, colour(Cursor));
    EXPECT_EQ(bar(), "$$$$ 値-1| 値+1|$$ 出力|$$$");
    EXPECT_EQ(row(kBarRow, 31, 13), " 値-1   値+1 ");
    key(kKeyRight);
    key(kKeyRight);
    key(kKeyDown);
    EXPECT_EQ(field(1, 30).bg, colour(Cursor));
    EXPECT_EQ(field(0, 30).bg, colour(WinBg));
    key(kKeyRight);  // past C: the number of the next colour
    EXPECT_EQ(field(2, 2).bg, colour(Cursor));
    EXPECT_EQ(bar(), "$$$$$$$$ 出力|$$$");
}

TEST_F(EditcolDraw, ThePreviewedColourIsMarkedAndNamed) {
    key(kKeyF9);
    EXPECT_EQ(field(0, 2).fg, colour(HeaderY));
    EXPECT_EQ(field(1, 2).fg, colour(WinHiFg));
    EXPECT_EQ(row(kStatusRow, kLeft + 17, 18), "出力 ｶﾗｰ:RED      ");
    key(kKeyF9);
    EXPECT_EQ(field(0, 2).fg, colour(WinHiFg));
    EXPECT_EQ(row(kStatusRow, kLeft + 17, 17), "出力 OFF         ");
}

TEST_F(EditcolDraw, EndShowsTheLastColoursAndClearsTheRowsBelow) {
    key(kKeyEnd);
    EXPECT_EQ(colour_row(0), expected_row("499", "    ", "  0", "  0", "  0"));
    EXPECT_EQ(colour_row(1), expected_row("500", "    ", "  0", "  0", "  0"));
    EXPECT_EQ(colour_row(2), std::string(35, ' '));
    EXPECT_EQ(colour_row(kPageRows - 1), std::string(35, ' '));
    EXPECT_EQ(field(1, 30).bg, colour(Cursor));  // the last item: 500's C
    key(kKeyHome);
    EXPECT_EQ(colour_row(2), expected_row("403", "    ", "  0", "  0", "  0"));
}

TEST_F(EditcolDraw, ASteadyScreenRepaintsNothing) {
    key(kKeyF9);
    const int before = host_.invalidations;
    tick();
    tick();
    EXPECT_EQ(host_.invalidations, before);
}

// Names read from a damaged file: six bytes and no terminator.
TEST_F(EditcolDraw, NamesWithoutTerminatorAreShownCutAndRepairedByAnEdit) {
    std::memcpy(user(0).name, "ABCDEF", 6);
    std::memcpy(user(1).name, "ABC\x95\x5CZ", 6);  // "ABC表Z"
    std::memcpy(user(2).name, "ABCD\x95\x5C", 6);  // "ABCD表": the lead byte falls outside
    user(0).y = user(1).y = user(2).y = 0;
    tick();
    EXPECT_EQ(colour_row(0), expected_row("401", "ABCDE", "  0", "255", "  0").erase(12, 1));
    EXPECT_EQ(colour_row(1), expected_row("402", "ABC表", "  0", "128", " 64").erase(12, 1));
    EXPECT_EQ(colour_row(2), expected_row("403", "ABCD", "  0", "  0", "  0"));
    key(kKeyF9);
    EXPECT_EQ(row(kStatusRow, kLeft + 17, 18), "出力 ｶﾗｰ:ABCDE    ");
    go(2, kEditcolY);
    key(kKeyF9);
    EXPECT_EQ(row(kStatusRow, kLeft + 17, 18), "出力 ｶﾗｰ:ABCD     ");  // no half of a character

    go(0, kEditcolY);
    for (int r = 0; r < 3; ++r) {
        key(kKeyF6);
        key(kKeyDown);
    }
    EXPECT_EQ(std::string(user(0).name, 6), std::string("ABCDE\0", 6));
    EXPECT_EQ(std::string(user(1).name, 6), std::string("ABC\x95\x5C\0", 6));
    EXPECT_EQ(std::string(user(2).name, 6), std::string("ABCD\0\0", 6));
    EXPECT_EQ(user(0).y, 1);
    EXPECT_EQ(colour_row(0), expected_row("401", "ABCDE", "  1", "255", "  0").erase(12, 1));
}

}  // namespace
}  // namespace prismel::test
