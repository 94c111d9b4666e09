// The scene editor's rules over the tables, without the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "screens/editscn_rules.h"

namespace prismel {
namespace {

Marks marks_of(std::initializer_list<int> fixtures) {
    Marks m{};
    for (int f : fixtures) m[f] = 1;
    return m;
}

std::string list(const FixtureSet& s) {
    std::string out;
    for (int f = 0; f < kFixtures; ++f)
        if (s[f]) out += std::to_string(f) + " ";
    return out;
}

std::string list(const Marks& m) {
    std::string out;
    for (int f = 0; f < kFixtures; ++f)
        if (m[f]) out += std::to_string(f) + " ";
    return out;
}

SceneRecord fresh_scene() {
    SceneRecord r;
    SceneTable::set_default(r);
    return r;
}

TEST(EditscnRules, MarksWinOverTheCursor) {
    struct Case {
        Marks marks;
        int cursor;
        const char* touched;
    } cases[] = {
        {marks_of({}), 9, "9 "},
        {marks_of({}), 63, "63 "},
        {marks_of({2, 40}), 9, "2 40 "},
        {marks_of({9}), 9, "9 "},
        {marks_of({}), 64, ""},  // a cursor off the grid touches nothing
        {marks_of({}), -1, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(list(touched_fixtures(c.marks, c.cursor)), c.touched) << c.cursor;
}

TEST(EditscnRules, PercentStoredRoundedDownAndShownRoundedToNearest) {
    struct Case {
        int percent;
        int stored;
    } stored[] = {{0, 0}, {1, 2}, {10, 25}, {50, 127}, {99, 252}, {100, 255}, {150, 255}, {-5, 0}};
    for (const Case& c : stored) EXPECT_EQ(size_of_percent(c.percent), c.stored) << c.percent;

    struct Shown {
        int size;
        int percent;
        const char* text;
    } shown[] = {{0, 0, " .. "},  {1, 0, " .. "},  {2, 1, " 01 "},   {25, 10, " 10 "},
                 {127, 50, " 50 "}, {128, 50, " 50 "}, {252, 99, " 99 "}, {253, 99, " 99 "},
                 {254, 100, " FF "}, {255, 100, " FF "}};
    for (const Shown& c : shown) {
        EXPECT_EQ(percent_of_size(static_cast<uint8_t>(c.size)), c.percent) << c.size;
        EXPECT_STREQ(size_text(static_cast<uint8_t>(c.size)).text, c.text) << c.size;
    }
    // Every typed percentage comes back as itself.
    for (int p = 0; p <= 100; ++p) EXPECT_EQ(percent_of_size(size_of_percent(p)), p) << p;
}

TEST(EditscnRules, AllMarksToggleAndGroupsCarryMembersOnly) {
    Marks m = marks_of({3});
    toggle_all_marks(m);
    EXPECT_EQ(list(m), "");
    toggle_all_marks(m);
    EXPECT_EQ(std::count(m.begin(), m.end(), 1), kFixtures);

    GroupRecord g{};
    g.member[1] = 1;
    g.member[5] = 7;  // a damaged byte still means member
    g.member[63] = 255;
    marks_from_group(m, g);
    EXPECT_EQ(list(m), "1 5 63 ");
    EXPECT_EQ(m[5], 1);
    GroupRecord back{};
    group_from_marks(back, m);
    EXPECT_EQ(+back.member[5], 1);
    EXPECT_EQ(+back.member[63], 1);
    EXPECT_EQ(+back.member[0], 0);
}

TEST(EditscnRules, EditsTouchOnlyTheirFixturesAndRepairTheRecord) {
    SceneRecord r = fresh_scene();
    std::memset(r.name, 'N', sizeof r.name);  // no terminator
    r.colour[7] = 650;
    r.colour[8] = -5;
    r.size[8] = 90;
    FixtureSet one;
    one[3] = true;

    assign_colour(r, one, 12);
    EXPECT_EQ(+r.colour[3], 12);
    EXPECT_EQ(+r.colour[7], kNone);  // damage elsewhere in the record goes too
    EXPECT_EQ(+r.colour[8], kNone);
    EXPECT_EQ(+r.size[8], 90);       // a size stays: the stage plays it alike
    EXPECT_EQ(std::string(r.name), std::string(20, 'N'));

    assign_size(r, one, 127);
    EXPECT_EQ(+r.size[3], 127);
    EXPECT_EQ(+r.colour[3], 12);
    assign_colour(r, one, 500);  // no colour of the table: none
    EXPECT_EQ(+r.colour[3], kNone);

    FixtureSet both;
    both[3] = both[8] = true;
    assign_colour(r, both, 4);
    clear_fixtures(r, both);
    EXPECT_EQ(+r.colour[3], kNone);
    EXPECT_EQ(+r.size[8], 0);
}

TEST(EditscnRules, NamesAreCutAtAWholeCharacter) {
    SceneRecord r = fresh_scene();
    // 19 bytes, then a double-byte character that would need bytes 20 and 21.
    const std::string long_name = std::string(19, 'A') + "\x95\x5C";
    set_scene_name(r, long_name.c_str());
    EXPECT_EQ(std::string(r.name), std::string(19, 'A'));
    set_scene_name(r, "\x95\x5C\x83\x5C\x94\x5C");  // 表ソ能: 0x5C trail bytes kept
    EXPECT_EQ(std::string(r.name), "\x95\x5C\x83\x5C\x94\x5C");

    std::memset(r.name, 0x83, sizeof r.name);  // lead bytes only, no terminator
    repair_scene(r);
    EXPECT_EQ(std::strlen(r.name), 20u);
    r.name[19] = static_cast<char>(0x83);
    r.name[18] = 'x';
    repair_scene(r);
    EXPECT_EQ(std::strlen(r.name), 19u);  // the lone lead byte goes
}

TEST(EditscnRules, CopiesTakeTheWholeRecordRepaired) {
    SceneRecord from = fresh_scene(), to = fresh_scene();
    std::memset(from.name, 'S', sizeof from.name);
    from.colour[0] = 17;
    from.colour[1] = 900;
    from.size[0] = 200;
    from.size[1] = 10;
    to.colour[2] = 3;
    copy_scene(from, to);
    EXPECT_EQ(std::string(to.name), std::string(20, 'S'));
    EXPECT_EQ(+to.colour[0], 17);
    EXPECT_EQ(+to.colour[1], kNone);
    EXPECT_EQ(+to.colour[2], kNone);
    EXPECT_EQ(+to.size[0], 200);
    EXPECT_EQ(+to.size[1], 10);
    EXPECT_EQ(+from.colour[1], 900);  // the source is only read
    copy_scene(from, from);          // onto itself: repaired in place
    EXPECT_EQ(+from.colour[1], kNone);
    EXPECT_EQ(+from.colour[0], 17);
}

TEST(EditscnRules, PlusOneTargetsAndTheOverwriteQuestion) {
    EXPECT_EQ(plus_one_target(0), 1);
    EXPECT_EQ(plus_one_target(198), 199);
    EXPECT_EQ(plus_one_target(199), kNone);
    EXPECT_EQ(plus_one_target(kNone), kNone);
    EXPECT_EQ(plus_one_target(900), kNone);

    SceneTable scenes;
    scenes[1].size[0] = 255;  // sizes alone do not make a scene used
    std::strcpy(scenes[2].name, "X");
    scenes[3].colour[63] = 0;
    scenes[4].colour[5] = 777;  // a damaged colour is not nothing either
    struct Case {
        int target;
        bool ask;
    } cases[] = {{0, false}, {1, false}, {2, true}, {3, true}, {4, true}, {kNone, false}, {200, false}};
    for (const Case& c : cases) EXPECT_EQ(overwrite_needs_asking(scenes, c.target), c.ask) << c.target;
}

TEST(EditscnRules, ShiftClickMarksFromTheFirstMarkOrTheCursor) {
    struct Case {
        Marks marks;
        int cursor, clicked;
        const char* after;
    } cases[] = {
        {marks_of({}), 2, 5, "2 3 4 5 "},
        {marks_of({}), 5, 2, "2 3 4 5 "},          // backwards: the same run
        {marks_of({}), 4, 4, "4 "},
        {marks_of({3, 9}), 0, 6, "3 4 5 6 9 "},    // from the first mark, not the cursor
        {marks_of({9}), 0, 7, "7 8 9 "},
        {marks_of({}), 0, 64, ""},                 // off the grid: nothing
    };
    for (Case c : cases) {
        mark_range(c.marks, c.cursor, c.clicked);
        EXPECT_EQ(list(c.marks), c.after) << c.cursor << "->" << c.clicked;
    }
}

TEST(EditscnRules, CellsOfTheGridAndItsGaps) {
    // Window at (1, 1): the grid starts at column 3, row 4.
    struct Case {
        int column, row, fixture;
    } cases[] = {
        {3, 4, 0},   {12, 5, 0},  {13, 4, kNone},  // the 11th column is the gap
        {14, 4, 1},  {2, 4, kNone}, {3, 3, kNone}, {80, 4, 7},  {89, 19, 63},
        {90, 19, kNone}, {91, 19, kNone}, {3, 20, kNone}, {3, 6, 8},
    };
    for (const Case& c : cases) EXPECT_EQ(fixture_at_cell(1, 1, c.column, c.row), c.fixture) << c.column << "," << c.row;
}

TEST(EditscnRules, FrameSelection) {
    const ChwRect cell0 = fixture_pixel_rect(1, 1, 20, 0);
    const ChwRect cell9 = fixture_pixel_rect(1, 1, 20, 9);
    struct Case {
        const char* what;
        ChwRect rect;
        bool ctrl;
        bool acted;
        const char* after;  // marks before: 5 and 20
    } cases[] = {
        {"click on a cell", {40, 100, 40, 100}, false, false, "5 20 "},
        {"click on a cell with ctrl", {40, 100, 40, 100}, true, false, "5 20 "},
        {"click outside the cells", {10, 10, 10, 10}, false, true, ""},
        {"click outside with ctrl", {10, 10, 10, 10}, true, true, "5 20 "},
        {"click on a gap column", {cell0.right + 2, 100, cell0.right + 2, 100}, false, true, ""},
        {"two cells exactly", {cell0.left, cell0.top, cell9.right, cell9.bottom}, false, true, "0 1 8 9 "},
        {"two cells with ctrl", {cell0.left, cell0.top, cell9.right, cell9.bottom}, true, true, "0 1 5 8 9 20 "},
        {"one pixel short of cell 9", {cell0.left, cell0.top, cell9.right - 1, cell9.bottom}, false, true, "0 8 "},
        {"a line from a cell is empty", {40, 100, 900, 100}, false, false, "5 20 "},
        {"whole grid", {0, 0, 2000, 2000}, false, true, nullptr},
    };
    for (const Case& c : cases) {
        Marks m = marks_of({5, 20});
        EXPECT_EQ(frame_select(m, c.rect, c.ctrl, 1, 1, 20), c.acted) << c.what;
        if (c.after)
            EXPECT_EQ(list(m), c.after) << c.what;
        else
            EXPECT_EQ(std::count(m.begin(), m.end(), 1), kFixtures) << c.what;
    }
}

}  // namespace
}  // namespace prismel
