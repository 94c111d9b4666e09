#include <gtest/gtest.h>

#include "chw_fake_host.h"
#include "chwin/chw_screen.h"
#include "chwin/grid_dump.h"
#include "platform/text_codec.h"

namespace prismel {
namespace {

class WriterTest : public ::testing::Test {
protected:
    test::FakeHost host;
    ChwScreen s{&host};
    const int cw = 10;  // font size 20
    const int ch = 24;
};

TEST_F(WriterTest, UnchangedRewriteInvalidatesNothing) {
    s.move_cursor(5, 3);
    s.write("ABCDE");
    ASSERT_EQ(host.invalidated.size(), 1u);
    EXPECT_EQ(host.invalidated[0], (ChwRect{5 * cw, 3 * ch, 10 * cw, 4 * ch}));
    host.reset();
    s.move_cursor(5, 3);
    s.write("ABCDE");
    EXPECT_TRUE(host.invalidated.empty());
    EXPECT_EQ(s.cursor_column(), 10);
}

TEST_F(WriterTest, DirtyRectangleRunsFromFirstChangeToEndOfText) {
    s.move_cursor(0, 0);
    s.write("abc");
    host.reset();
    s.move_cursor(0, 0);
    s.write("abX");
    ASSERT_EQ(host.invalidated.size(), 1u);
    EXPECT_EQ(host.invalidated[0], (ChwRect{2 * cw, 0, 3 * cw, ch}));

    s.move_cursor(0, 0);
    s.write("aYXdef");
    host.reset();
    s.move_cursor(0, 0);
    s.write("aZXdef");
    ASSERT_EQ(host.invalidated.size(), 1u);
    EXPECT_EQ(host.invalidated[0], (ChwRect{1 * cw, 0, 6 * cw, ch}));
}

TEST_F(WriterTest, ColourOrAttributeChangeCountsAsChange) {
    s.move_cursor(0, 1);
    s.write("ab");
    host.reset();
    s.move_cursor(0, 1);
    s.set_fg(WinHiFg);
    s.write("ab");
    EXPECT_EQ(host.invalidated.size(), 1u);
    host.reset();
    s.move_cursor(0, 1);
    s.set_attribute(kAttrUnderline);
    s.write("ab");
    EXPECT_EQ(host.invalidated.size(), 1u);
    EXPECT_EQ(s.cell(1, 1).attr, kAttrUnderline);
    EXPECT_EQ(s.cell(1, 1).fg, s.colour_of(WinHiFg));
}

TEST_F(WriterTest, DoubleByteCharacterTakesTwoCells) {
    const char* kanji = sj("新規");
    s.move_cursor(10, 2);
    s.write(kanji);
    EXPECT_EQ(s.cursor_column(), 14);
    EXPECT_EQ(s.cell(10, 2).ch, static_cast<uint8_t>(kanji[0]));
    EXPECT_EQ(s.cell(11, 2).ch, static_cast<uint8_t>(kanji[1]));
    EXPECT_EQ(row_text(s, 2, 10, 4), "新規");
    ASSERT_EQ(host.invalidated.size(), 1u);
    EXPECT_EQ(host.invalidated[0], (ChwRect{10 * cw, 2 * ch, 14 * cw, 3 * ch}));

    // Only the second character differs: the rectangle starts at its lead cell.
    host.reset();
    s.move_cursor(10, 2);
    s.write(sj("新年"));
    ASSERT_EQ(host.invalidated.size(), 1u);
    EXPECT_EQ(host.invalidated[0], (ChwRect{12 * cw, 2 * ch, 14 * cw, 3 * ch}));
}

TEST_F(WriterTest, BoxedFieldBoxesTheWholeString) {
    s.set_attribute(kAttrBoxed);
    s.move_cursor(0, 0);
    s.write("A");
    EXPECT_EQ(s.cell(0, 0).attr, 0xB0u);  // first byte wins over last
    s.move_cursor(0, 1);
    s.write("ABC");
    EXPECT_EQ(s.cell(0, 1).attr, 0xB0u);
    EXPECT_EQ(s.cell(1, 1).attr, 0xA0u);
    EXPECT_EQ(s.cell(2, 1).attr, 0xE0u);
    s.move_cursor(0, 2);
    s.write("AB");
    EXPECT_EQ(s.cell(0, 2).attr, 0xB0u);
    EXPECT_EQ(s.cell(1, 2).attr, 0xE0u);
}

TEST_F(WriterTest, BoxedFieldEndingInDoubleByteHasNoRightEdge) {
    s.set_attribute(kAttrBoxed);
    s.move_cursor(0, 0);
    s.write(sj("A色"));
    EXPECT_EQ(s.cell(0, 0).attr, 0xB0u);
    EXPECT_EQ(s.cell(1, 0).attr, 0xA0u);  // lead byte: a middle byte
    EXPECT_EQ(s.cell(2, 0).attr, kAttrBoxed);  // trail byte keeps the plain value
    s.move_cursor(0, 1);
    s.write(sj("色 "));
    EXPECT_EQ(s.cell(0, 1).attr, 0xB0u);
    EXPECT_EQ(s.cell(2, 1).attr, 0xE0u);
}

TEST_F(WriterTest, CursorRules) {
    s.move_cursor(7, 9);
    s.move_cursor(200, 70);
    EXPECT_EQ(s.cursor_column(), 7);
    EXPECT_EQ(s.cursor_row(), 9);
    s.move_cursor(128, 5);
    EXPECT_EQ(s.cursor_column(), 7);
    EXPECT_EQ(s.cursor_row(), 5);
    s.move_cursor(3, 64);
    EXPECT_EQ(s.cursor_column(), 3);
    EXPECT_EQ(s.cursor_row(), 5);
    // A negative column (a list corrected one column too far left) is 0.
    s.move_cursor(-1, -3);
    EXPECT_EQ(s.cursor_column(), 0);
    EXPECT_EQ(s.cursor_row(), 0);
}

TEST_F(WriterTest, WritingStopsAtTheGridEdgeWithoutWrapping) {
    s.move_cursor(125, 4);
    s.write("ABCDEF");
    EXPECT_EQ(row_text(s, 4, 125, 3), "ABC");
    EXPECT_EQ(s.cell(0, 5).ch, ' ');
    EXPECT_EQ(s.cursor_column(), 128);
    ASSERT_EQ(host.invalidated.size(), 1u);
    EXPECT_EQ(host.invalidated[0].right, 128 * cw);
    // The cursor at the edge writes nothing more.
    host.reset();
    s.write("X");
    EXPECT_TRUE(host.invalidated.empty());
}

TEST_F(WriterTest, LeadByteInLastColumnNeverStoresItsTrail) {
    s.move_cursor(0, 7);
    s.write("Q");  // column 0 of the next row must stay as it is
    s.move_cursor(126, 6);
    s.write(sj("A色"));
    EXPECT_EQ(s.cell(126, 6).ch, 'A');
    EXPECT_EQ(s.cell(127, 6).ch, ' ');  // half a character is not kept
    EXPECT_EQ(s.cell(0, 7).ch, 'Q');
    EXPECT_EQ(s.cursor_column(), 128);
}

TEST_F(WriterTest, LeadByteWithoutTrailInTextIsABlank) {
    const std::string cut(sj("色"), 1);  // e.g. a name cut by "%-7.7s"
    s.move_cursor(0, 0);
    s.write(("AB" + cut).c_str());
    EXPECT_EQ(s.cell(2, 0).ch, ' ');
    EXPECT_EQ(s.cursor_column(), 3);
}

TEST_F(WriterTest, FormattedWritesPadBytes) {
    s.move_cursor(0, 0);
    s.writef("%-6s|", sj("色"));
    EXPECT_EQ(row_text(s, 0, 0, 7), "色    |");
    s.move_cursor(0, 1);
    s.writef("%4.1f", 12.34);
    EXPECT_EQ(row_text(s, 1, 0, 4), "12.3");
    s.move_cursor(0, 2);
    s.writef("%3d", 7);
    EXPECT_EQ(row_text(s, 2, 0, 3), "  7");
}

TEST_F(WriterTest, LevelGauges) {
    s.move_cursor(0, 0);
    s.write_level_gauge(0, HeaderY);
    EXPECT_EQ(s.cell(0, 0).ch, 0xF0);
    EXPECT_EQ(s.cell(1, 0).ch, 0x40);
    EXPECT_EQ(s.cell(1, 0).fg, s.colour_of(ColBlue));
    s.write_level_gauge(255, HeaderY);
    EXPECT_EQ(s.cell(3, 0).ch, 0x4F);
    EXPECT_EQ(s.cell(3, 0).fg, s.colour_of(HeaderY));
    s.write_level_gauge(-5, HeaderY);  // never outside the 16 glyphs
    EXPECT_GE(s.cell(5, 0).ch, 0x40);
    EXPECT_LE(s.cell(5, 0).ch, 0x4F);

    s.move_cursor(0, 1);
    s.write_two_level_gauge(0x80, 0x0F);
    EXPECT_EQ(s.cell(1, 1).ch, 0x48);
    EXPECT_EQ(s.cell(1, 1).fg, s.colour_of(HeaderG));
    EXPECT_EQ(s.cell(3, 1).ch, 0x40);
    EXPECT_EQ(s.cell(3, 1).fg, s.colour_of(ColBlue));
}

TEST_F(WriterTest, ClearRowNeedsALayoutAndColoursByRow) {
    s.move_cursor(0, 10);
    s.write("X");
    s.clear_row(10);
    EXPECT_EQ(s.cell(0, 10).ch, 'X');  // no bar row yet

    s.set_visible(100, 40);
    s.set_fkey_row(38);
    s.clear_row(10);
    EXPECT_EQ(s.cell(0, 10).ch, ' ');
    EXPECT_EQ(s.cell(0, 10).bg, s.colour_of(WinBg));
    EXPECT_EQ(s.cell(99, 10).bg, s.colour_of(WinBg));
    EXPECT_NE(s.cell(100, 10).bg, s.colour_of(WinBg));  // visible columns only
    s.clear_row(37);  // the caption row
    EXPECT_EQ(s.cell(0, 37).fg, s.colour_of(WinNgFg));
    EXPECT_EQ(s.cell(0, 37).bg, s.colour_of(ScreenBg));
    s.clear_row(64);
    s.clear_row(-1);
}

TEST_F(WriterTest, MessageLineBeepsOnlyForShownErrors) {
    s.show_message("E1");
    EXPECT_EQ(host.beeps, 0);  // beep option off
    s.beep_option = true;
    s.show_message("E2");
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(host.message, "E2");
    s.show_message("");
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(host.message, "");
    s.set_message_line("info");
    EXPECT_EQ(host.beeps, 1);
    MessageLine& line = s;
    line.set("bad", true);
    EXPECT_EQ(host.beeps, 2);
    EXPECT_STREQ(s.message_line(), "bad");
}

}  // namespace
}  // namespace prismel
