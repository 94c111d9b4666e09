#include "chwin/reflist.h"

#include <gtest/gtest.h>

#include <cstring>

#include "chwin/chw_input.h"
#include "chwin/grid_dump.h"
#include "data/show_data.h"
#include "picker_fixture.h"

namespace prismel {
namespace {

// Lists open at column 55, row 2: the header is on row 3, entries from row 4.
constexpr int kFirstEntryRow = 4;
constexpr int kContentColumn = 56;

class RefListTest : public PickerFixture {
protected:
    void type(std::initializer_list<int> keys) {
        for (int k : keys) deliver_key(screen, k, 0);
    }
    int scene_index() const { return scene_list_control()->index(); }
    int chase_index() const { return chase_list_control()->index(); }
    std::string entry_text(int page_row, int n) const {
        return row_text(screen, kFirstEntryRow + page_row, kContentColumn, n);
    }
};

TEST_F(RefListTest, SceneNumbersTypedDigitByDigit) {
    ASSERT_EQ(open_scene_list(editor), 1);
    type({'1'});
    EXPECT_EQ(scene_index(), 0);
    EXPECT_EQ(message(), sjs("インクリメンタルサーチ中(カーソル移動で解除)"));
    type({'2'});
    EXPECT_EQ(scene_index(), 11);
    type({'5'});
    EXPECT_EQ(scene_index(), 124);
    EXPECT_EQ(message(), "");  // three digits end the entry
    deliver_tick(screen);
    EXPECT_EQ(entry_text(0, 5), " 125 ");
}

TEST_F(RefListTest, ADigitThatWouldPassTheLastSceneIsDropped) {
    open_scene_list(editor);
    type({'2', '1', '5'});
    EXPECT_EQ(scene_index(), 20);
    type({'3'});  // the entry has ended: a new number starts
    EXPECT_EQ(scene_index(), 2);
}

TEST_F(RefListTest, ZeroFirstIsAnInvalidSceneNumberWithTheBeep) {
    screen.beep_option = true;
    open_scene_list(editor);
    type({'0'});
    EXPECT_EQ(message(), sjs("不正なシーンNo.です"));
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(scene_index(), 0);
    type({'A', kKeyF5});  // not digits: ignored
    EXPECT_EQ(scene_index(), 0);
    EXPECT_EQ(host.beeps, 1);
}

TEST_F(RefListTest, ChaseNumbersStopAtFifty) {
    open_chase_list(editor);
    type({'5', '0'});
    EXPECT_EQ(chase_index(), 49);
    close_chase_list();
    open_chase_list(editor);
    type({'6', '0'});
    EXPECT_EQ(chase_index(), 5);
    screen.beep_option = true;
    type({'9', '9'});
    EXPECT_EQ(chase_index(), 8);
    // 9 then 99 > 50 is dropped; the number stays 9.
    EXPECT_EQ(host.beeps, 0);
}

TEST_F(RefListTest, OnlyTheTypedDigitsCarryTheCursorColour) {
    open_scene_list(editor);
    const uint32_t cursor = screen.colour_of(Cursor);
    type({'1'});
    deliver_tick(screen);
    EXPECT_EQ(entry_text(0, 5), "   1 ");
    EXPECT_NE(screen.cell(kContentColumn + 2, kFirstEntryRow).bg, cursor);
    EXPECT_EQ(screen.cell(kContentColumn + 3, kFirstEntryRow).bg, cursor);
    type({kKeyDown, kKeyUp});  // a move ends the entry
    deliver_tick(screen);
    EXPECT_EQ(screen.cell(kContentColumn, kFirstEntryRow).bg, cursor);
}

TEST_F(RefListTest, EnterHandsThePickToTheEditorBelow) {
    const int locks = screen.rubber_band.lock_count;
    open_scene_list(editor);
    EXPECT_EQ(screen.rubber_band.lock_count, locks + 1);
    type({'7'});
    EXPECT_EQ(deliver_key(screen, kKeyEnter, 0), kResultWindowClosed);
    EXPECT_EQ(screen.top_window(), editor);
    EXPECT_EQ(screen.picker_result, kPickedScene);
    EXPECT_EQ(scene_list_result(), 6);
    EXPECT_EQ(scene_list_control(), nullptr);
    EXPECT_EQ(screen.rubber_band.lock_count, locks);
    ASSERT_FALSE(editor_keys.empty());
    EXPECT_EQ(editor_keys.back(), kKeyRefresh);
    EXPECT_EQ(close_scene_list(), 0);
}

TEST_F(RefListTest, EscapeCancels) {
    open_chase_list(editor);
    type({kKeyDown, kKeyEsc});
    EXPECT_EQ(screen.picker_result, kPickedChase);
    EXPECT_EQ(chase_list_result(), -1);
    EXPECT_EQ(screen.top_window(), editor);
}

TEST_F(RefListTest, AClickMovesTheCursorAndADoubleClickPicks) {
    open_scene_list(editor);
    type({kKeyPageDown});  // top row 1
    const int top = scene_list_control()->top_row;
    deliver_left_click(screen, 60, kFirstEntryRow + 3, 0, 0);
    EXPECT_EQ(scene_index(), top + 3);
    deliver_left_click(screen, 60, 3, 0, 0);  // the header row: nothing
    EXPECT_EQ(scene_index(), top + 3);
    EXPECT_EQ(deliver_double_click(screen), kResultWindowClosed);
    EXPECT_EQ(scene_list_result(), top + 3);
    EXPECT_EQ(screen.picker_result, kPickedScene);
    EXPECT_EQ(editor_keys.back(), kKeyRefresh);
}

TEST_F(RefListTest, RowsPastTheLastEntryAreBlank) {
    open_scene_list(editor);
    deliver_tick(screen);
    EXPECT_EQ(entry_text(5, 5), "   6 ");
    type({kKeyEnd});
    deliver_tick(screen);
    EXPECT_EQ(entry_text(0, 5), " 199 ");
    EXPECT_EQ(entry_text(1, 5), " 200 ");
    EXPECT_EQ(entry_text(2, 31), std::string(31, ' '));
    EXPECT_EQ(entry_text(5, 31), std::string(31, ' '));
}

TEST_F(RefListTest, SceneNamesAreShownAndTheBarIsEmptied) {
    std::strcpy(g_show.scenes[0].name, "Opening");
    open_scene_list(editor);
    screen.draw_fkey_bar("X|Y");
    deliver_tick(screen);
    EXPECT_EQ(entry_text(0, 27), "   1  Opening              ");
    EXPECT_EQ(row_text(screen, 3, kContentColumn, 9), "  No.  名");
    EXPECT_STREQ(screen.fkey_labels(), "");
    g_show.scenes[0].name[0] = 0;
}

class ColourListTest : public RefListTest {
protected:
    void SetUp() override {
        RefListTest::SetUp();
        g_show.colours.clear_all();
        name(10, "RED");
        name(20, "REX");
        name(450, "USR");
        g_show.colours.rec[10].y = 12;
        g_show.colours.rec[10].m = 255;
        g_show.colours.rec[10].c = 0;
        open_colour_list(editor);
    }
    void TearDown() override {
        RefListTest::TearDown();
        g_show.colours.clear_all();
    }
    static void name(int i, const char* n) { std::strcpy(g_show.colours.rec[i].name, n); }
    int index() const { return colour_list_control()->index(); }
};

TEST_F(ColourListTest, IncrementalSearchGoesOnFromTheLastMatch) {
    const std::string searching = sjs("インクリメンタルサーチ中(カーソル移動で解除)");
    type({'R'});
    EXPECT_EQ(index(), 10);
    EXPECT_EQ(message(), searching);
    type({'E'});
    EXPECT_EQ(index(), 10);
    type({'X'});
    EXPECT_EQ(index(), 20);
    EXPECT_EQ(host.beeps, 0);
}

TEST_F(ColourListTest, AModifierKeyIsASearchCharacterAndNotFoundStartsAfresh) {
    screen.beep_option = true;
    type({'R', kKeyShift});
    EXPECT_EQ(message(), sjs("見つかりません"));
    EXPECT_EQ(index(), 10);
    EXPECT_EQ(host.beeps, 0);  // neither search message beeps
    type({'U'});               // a fresh search from the first colour
    EXPECT_EQ(index(), 450);
}

TEST_F(ColourListTest, ACursorMoveEndsTheSearch) {
    type({'R', kKeyDown});
    EXPECT_EQ(index(), 11);
    EXPECT_EQ(message(), "");
    type({'E'});  // now a search for "E" alone
    EXPECT_EQ(message(), sjs("見つかりません"));
}

TEST_F(ColourListTest, KeyZeroIsNoSearchCharacter) {
    type({kKeyDown, kKeyRefresh});
    EXPECT_EQ(index(), 1);
    EXPECT_EQ(message(), "");
}

TEST_F(ColourListTest, F5ShowsTheUserColoursAtTheTop) {
    type({kKeyF5});
    EXPECT_EQ(index(), 400);
    EXPECT_EQ(colour_list_control()->top_row, 400);
    deliver_tick(screen);
    EXPECT_EQ(entry_text(0, 5), " 401 ");
    EXPECT_EQ(entry_text(50, 8), " 451 USR");
    EXPECT_EQ(screen.cell(kContentColumn + 1, kFirstEntryRow).fg, screen.colour_of(HeaderG));
    EXPECT_EQ(std::string(screen.fkey_labels()), sjs("$$$$ ﾕｰｻﾞｰ"));
}

TEST_F(ColourListTest, ANamedEntryShowsItsSwatchAndLevels) {
    type({'R'});
    deliver_tick(screen);
    const int row = kFirstEntryRow + colour_list_control()->cursor_row;
    EXPECT_EQ(row_text(screen, row, kContentColumn, 30), "  11 RED          12  255    0");
    const ChwCell& swatch = screen.cell(kContentColumn + 12, row);
    EXPECT_EQ(swatch.bg, g_show.colours.display_colour(10));
    EXPECT_EQ(swatch.attr, 0xB0u);
    EXPECT_EQ(screen.cell(kContentColumn + 1, row).fg, screen.colour_of(HeaderC));
    // Searching: only the typed byte is in the cursor colour.
    EXPECT_EQ(screen.cell(kContentColumn + 5, row).bg, screen.colour_of(Cursor));
    EXPECT_EQ(screen.cell(kContentColumn + 6, row).bg, screen.colour_of(WinBg));
    // The scheme does not keep the swatch colour.
    EXPECT_EQ(screen.scheme().value[12], 0u);
}

TEST_F(ColourListTest, CloseClearsTheMessageLine) {
    type({'R'});
    EXPECT_EQ(deliver_key(screen, kKeyEnter, 0), kResultWindowClosed);
    EXPECT_EQ(colour_list_result(), 10);
    EXPECT_EQ(screen.picker_result, kPickedColour);
    EXPECT_EQ(message(), "");
}

}  // namespace
}  // namespace prismel
