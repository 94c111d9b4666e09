// What the scene editor shows: header, separator, the fixture grid with its
// types, marks, cursor, colours and sizes, and a damaged show shown safely.
#include <cstring>

#include "editscn_fixture.h"

namespace prismel::test {
namespace {

class EditscnDraw : public EditscnTest {};

TEST_F(EditscnDraw, HeaderAndSeparator) {
    name_scene(0, "OPENING");
    open();
    tick();
    EXPECT_EQ(row(kTop, kLeft + 1, 13), " シーンの編集");
    EXPECT_EQ(row(kHeaderRow, kLeft + 2, 36), "No.   1   名前 OPENING              ");
    EXPECT_EQ(cell(kLeft + 2, kHeaderRow).fg, colour(WinNgFg));
    EXPECT_EQ(cell(kLeft + 2, kHeaderRow).bg, colour(WinHiBg));
    EXPECT_EQ(cell(kLeft + 12, kHeaderRow).bg, colour(WinHiBg));
    EXPECT_EQ(cell(kLeft + 6, kHeaderRow).bg, colour(WinBg));
    EXPECT_EQ(row(kHeaderRow, kLeft + 48, 17), "出力 OFF         ");
    EXPECT_EQ(cell(kLeft + 48, kHeaderRow).fg, colour(WinHiFg));
    for (int c = kLeft + 1; c <= kLeft + 90; ++c) ASSERT_EQ(cell(c, kTop + 2).attr, kAttrBar) << c;
    EXPECT_EQ(cell(kLeft + 91, kTop + 2).attr & kAttrBar, 0u);  // the frame
}

TEST_F(EditscnDraw, FixtureTypesMarksAndCursor) {
    const int layouts[] = {1, 2, 3, 4, 9, -1};
    const char* shown[] = {"  1  TURB ", "  2  CLFD ", "  3  SCRL ", "  4  CLCM ", "  5  CLFD ", "  6  CLFD "};
    for (int f = 0; f < 6; ++f) g_show.patch[f].layout = static_cast<int16_t>(layouts[f]);
    open();
    key(kKeyRight);
    key(kKeySpace);  // fixture 2 marked, the cursor on 3
    key(kKeySpace);  // 3 marked, the cursor on 4
    key(kKeyLeft);   // the cursor on the marked 3
    for (int f = 0; f < 6; ++f) EXPECT_EQ(title_of(f), shown[f]);
    struct Case {
        int f;
        int fg, bg;
        bool boxed;
    } cases[] = {
        {0, WinNgFg, WinHiBg, false}, {1, WinNgFg, HeaderY, true}, {2, HeaderY, Cursor, true},
        {3, WinNgFg, WinHiBg, false},
    };
    for (const Case& c : cases) {
        const ChwCell& first = cell(cell_column(c.f), title_row(c.f));
        const ChwCell& last = cell(cell_column(c.f) + 9, title_row(c.f));
        EXPECT_EQ(first.fg, colour(c.fg)) << c.f;
        EXPECT_EQ(first.bg, colour(c.bg)) << c.f;
        EXPECT_EQ(first.attr, c.boxed ? 0xB0u : 0u) << c.f;
        EXPECT_EQ(last.attr, c.boxed ? 0xE0u : 0u) << c.f;
    }
    key(kKeyLeft);  // off the marked one: its text goes back to WinNgFg on HeaderY
    tick();
    EXPECT_EQ(cell(cell_column(2), title_row(2)).fg, colour(WinNgFg));
    EXPECT_EQ(cell(cell_column(2), title_row(2)).bg, colour(HeaderY));
    EXPECT_EQ(cell(cell_column(1), title_row(1)).fg, colour(HeaderY));
    EXPECT_EQ(cell(cell_column(1), title_row(1)).bg, colour(Cursor));
}

TEST_F(EditscnDraw, ColoursSwatchesAndNoColour) {
    set_colour(7, "TEAL", 10, 20, 30);
    g_show.scenes[0].colour[1] = 7;
    g_show.scenes[0].size[1] = 127;
    open();
    EXPECT_EQ(colour_of(0), "----   -- ");
    EXPECT_EQ(cell(cell_column(0), colour_row(0)).bg, colour(HeaderB));
    EXPECT_EQ(cell(cell_column(0) + 4, colour_row(0)).bg, colour(ColBlack));
    EXPECT_EQ(cell(cell_column(0) + 6, colour_row(0)).bg, colour(HeaderB));
    EXPECT_EQ(colour_of(1), "TEAL   50 ");
    const ChwCell& swatch = cell(cell_column(1) + 4, colour_row(1));
    EXPECT_EQ(swatch.bg, g_show.colours.display_colour(7));
    EXPECT_EQ(swatch.attr, 0xB0u);
    EXPECT_EQ(cell(cell_column(1) + 5, colour_row(1)).attr, 0xE0u);
}

TEST_F(EditscnDraw, NoSceneShowsNumbersOnly) {
    editscn_set_scene(kNone);
    open();
    tick();
    EXPECT_EQ(row(kHeaderRow, kLeft + 6, 3), "---");
    EXPECT_EQ(title_of(63), " 64       ");
    EXPECT_EQ(cell(cell_column(63), title_row(63)).bg, colour(HeaderB));
    EXPECT_EQ(cell(cell_column(63) + 4, title_row(63)).bg, colour(WinNgFg));
    EXPECT_EQ(colour_of(63), "          ");
    EXPECT_EQ(cell(cell_column(63), colour_row(63)).bg, colour(HeaderB));
}

TEST_F(EditscnDraw, NarrowScreenPutsTheWindowInTheCorner) {
    screen_.set_visible(93, 64);
    open();
    EXPECT_EQ(editscn_window()->left, 0);
    EXPECT_EQ(editscn_window()->top, 0);
    EXPECT_EQ(editscn_window()->right, 91);
    EXPECT_EQ(editscn_window()->bottom, 23);
    editscn_close();
    screen_.set_visible(94, 64);
    open();
    EXPECT_EQ(editscn_window()->left, 1);
    EXPECT_EQ(editscn_window()->bottom, 24);
}

// A show read from damaged files.
class EditscnDamaged : public EditscnTest {
protected:
    void SetUp() override {
        SceneRecord& s = scene(0);
        std::memset(s.name, 0x83, sizeof s.name);  // lead bytes to the end, no terminator
        s.name[0] = 'A';
        s.colour[0] = 650;
        s.colour[1] = -5;
        s.colour[2] = 32767;
        s.size[0] = 200;
        s.colour[3] = 9;
        // A five-byte colour name without terminator.
        std::memcpy(g_show.colours.rec[9].name, "LONGX!", 6);
        for (int g = 0; g < kGroups; ++g) std::memset(g_show.groups[g].member, 0xFF, kFixtures);
        g_show.patch[3].layout = 1000;
    }
};

TEST_F(EditscnDamaged, ShownAsNoColourAndCutNames) {
    open();
    EXPECT_EQ(colour_of(0), "----   -- ");
    EXPECT_EQ(colour_of(1), "----   -- ");
    EXPECT_EQ(colour_of(2), "----   -- ");
    tick();
    // The name stops before the lead byte that lost its trail.
    EXPECT_EQ(cell(kLeft + 17, kHeaderRow).ch, 'A');
    EXPECT_EQ(cell(kLeft + 17 + 18, kHeaderRow).ch, 0x83);
    EXPECT_EQ(cell(kLeft + 17 + 19, kHeaderRow).ch, ' ');
    // A five-byte name takes the gap; the next cell is untouched.
    EXPECT_EQ(row(colour_row(3), cell_column(3), 11), "LONGX   -- ");
    EXPECT_EQ(title_of(4), "  5  TURB ");
    key(kKeyF1, kModAlt);  // a group of 0xFF bytes marks every fixture once
    EXPECT_EQ(marks_shown(), std::string(kFixtures, 'x'));
    key(kKeyF1, kModAlt | kModShift);  // Shift first: a one-touch size
    EXPECT_EQ(+scene(0).size[5], 25);
}

TEST_F(EditscnDamaged, EditingRepairsTheRecord) {
    open();
    key(kKeyDelete);  // the cursor fixture: colour none, size 0
    EXPECT_EQ(+scene(0).colour[0], kNone);
    EXPECT_EQ(+scene(0).size[0], 0);
    EXPECT_EQ(+scene(0).colour[1], kNone);  // the rest of the record is mended too
    EXPECT_EQ(+scene(0).colour[2], kNone);
    EXPECT_EQ(+scene(0).colour[3], 9);
    EXPECT_EQ(+scene(0).name[20], '\0');
    EXPECT_EQ(std::strlen(scene(0).name), 19u);

    // A scene index from elsewhere that points nowhere: no scene.
    editscn_close();
    editscn_set_scene(900);
    open();
    EXPECT_EQ(editscn_scene(), kNone);
    tick();
    EXPECT_EQ(row(kHeaderRow, kLeft + 6, 3), "---");
    key(kKeyF8);
    key(kKeyF9);
    EXPECT_EQ(g_engine.snapshot_depth(), 0);
}

TEST_F(EditscnDamaged, CopiesDoNotSpreadTheDamage) {
    editscn_set_scene(5);
    open();
    input_.type("1");
    key(kKeyF7);
    EXPECT_EQ(+scene(5).colour[0], kNone);
    EXPECT_EQ(+scene(5).size[0], 200);
    EXPECT_EQ(+scene(5).colour[3], 9);
    EXPECT_EQ(std::strlen(scene(5).name), 19u);
    editscn_set_scene(0);
    key(kKeyF8);  // scene 2 is empty: no question
    EXPECT_EQ(editscn_scene(), 1);
    EXPECT_EQ(+scene(1).colour[1], kNone);
    EXPECT_EQ(+scene(1).colour[3], 9);
}

}  // namespace
}  // namespace prismel::test
