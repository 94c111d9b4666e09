#pragma once
// The scene editor's rules, over the show's tables and the editor's marks:
// which fixtures an action touches, sizes in percent, the grid's cells on
// the screen and in pixels, marks by mouse and frame, and scene copies.
// Every write of a scene record here leaves it sound: a colour a damaged
// file gave it (650, -5) becomes none, its name ends at a whole character
// inside the field. The engine plays such a colour as none already, so the
// repair never changes the stage.
#include <array>
#include <bitset>
#include <cstdint>

#include "chwin/chw_geometry.h"
#include "data/show_data.h"

namespace prismel {

// 1 = marked, one byte per fixture.
using Marks = std::array<uint8_t, kFixtures>;
using FixtureSet = std::bitset<kFixtures>;

// The grid: 8 x 8 fixture cells, each 11 columns (the 11th a gap) and 2 rows,
// from column 2 and row 3 of the window.
constexpr int kGridColumns = 8;
constexpr int kCellColumns = 11;
constexpr int kCellRows = 2;
constexpr int kGridLeft = 2;
constexpr int kGridTop = 3;
constexpr int kCellTextColumns = 10;  // the cell without its gap

bool any_marked(const Marks& marks);
// The marked fixtures, or the cursor fixture when none is marked.
FixtureSet touched_fixtures(const Marks& marks, int cursor);

// F6: all marks cleared when any is set, else all 64 marked.
void toggle_all_marks(Marks& marks);
// Marks from a group's bytes (any non-zero byte is a member) and back.
void marks_from_group(Marks& marks, const GroupRecord& group);
void group_from_marks(GroupRecord& group, const Marks& marks);

// Size byte of a percentage (0-100, limited): p x 255 / 100 rounded down.
uint8_t size_of_percent(int percent);
// Percentage of a size byte: s / 255 x 100 rounded to the nearest.
int percent_of_size(uint8_t size);
// The size as the grid shows it, 4 bytes: " .. " 0 %, " %02d " 1-99 %, " FF " 100 %.
struct SizeText {
    char text[5];
};
SizeText size_text(uint8_t size);

// A stored colour as the editor shows it: the index, or none for anything
// outside the colour table.
constexpr int shown_colour(int stored) { return valid_colour(stored) ? stored : kNone; }
// A scene index from elsewhere (chase step, cue): the index, or none.
constexpr int shown_scene(int scene) { return valid_scene(scene) ? scene : kNone; }

// Edits of the touched fixtures; each repairs the record.
void assign_colour(SceneRecord& scene, const FixtureSet& fixtures, int colour);
void assign_size(SceneRecord& scene, const FixtureSet& fixtures, uint8_t size);
// Delete: colour none and size 0.
void clear_fixtures(SceneRecord& scene, const FixtureSet& fixtures);
// A name typed by the operator (CP932), cut to the field at a whole character.
void set_scene_name(SceneRecord& scene, const char* name);
void repair_scene(SceneRecord& scene);

// F7 and F8: the whole record (name, colours, sizes), repaired on the way.
void copy_scene(const SceneRecord& from, SceneRecord& to);
// F8: the scene after `scene`, or none from the last scene or from none.
constexpr int plus_one_target(int scene) { return valid_scene(scene) && scene + 1 < kScenes ? scene + 1 : kNone; }
// F8 asks before it overwrites a scene that has a name or any colour.
bool overwrite_needs_asking(const SceneTable& scenes, int target);

// Shift click: every fixture from the first marked one (the cursor fixture
// when none is marked) to the clicked one, inclusive, whichever way round.
void mark_range(Marks& marks, int cursor, int clicked);

// The fixture whose cell holds the screen cell (column, row) of a window
// whose top-left cell is (left, top); none on a gap column or off the grid.
int fixture_at_cell(int left, int top, int column, int row);

// A fixture's cell in client pixels (10 columns by 2 rows) at font size fs.
ChwRect fixture_pixel_rect(int left, int top, int fs, int fixture);

// A frame dragged over the grid (client pixels). Nothing happens (false)
// when the rectangle is empty and its corner lies on a fixture cell: that
// was a click. Otherwise every fixture whose cell lies wholly inside is
// marked and, without Ctrl, every other mark is cleared.
bool frame_select(Marks& marks, const ChwRect& rect, bool ctrl, int left, int top, int fs);

}  // namespace prismel
