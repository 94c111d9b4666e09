#pragma once
// What the function-key editor does to a preset, apart from the screen:
// which cells of a row the cursor may stand on, the preset's edits and the
// labels the run screen shows on its bar. Records come from a file and are
// untrusted: a type no key knows counts as none, a target outside the table
// of its type as not chosen, and every edit leaves a record that is whole
// again (known type, terminated label).
#include "data/show_data.h"

namespace prismel {

// Cursor columns of a row: key and type, target, scene cross time or chase
// rate, chase cross time.
constexpr int kFkeyColumnType = 0;
constexpr int kFkeyColumnTarget = 1;
constexpr int kFkeyColumnTime = 2;
constexpr int kFkeyColumnCross = 3;
constexpr int kFkeyColumns = 4;

// The type, with an unknown one taken as none.
FkeyType fkey_type_of(const FkeyRecord& r);
// The target when it lies in the table of the type (cues, scenes, chases),
// else kNone. None and standby have no target.
int fkey_target_of(const FkeyRecord& r);

// The highest column a key may leave the cursor on: cue 1; scene 2, chase 3,
// but 1 while the target is not chosen; none and standby 0.
int fkey_column_limit(const FkeyRecord& r);
// After a cursor move by key: a column above the limit becomes 0.
int fkey_limited_column(const FkeyRecord& r, int column);
// A clicked column clamped to the row: cue at most 1, scene without target
// at most 1, none and standby 0; a chase keeps any column.
int fkey_clamped_click(const FkeyRecord& r, int column);
// The column a click selects, x counted from the window's column 1; the
// current column where x lies on no field.
int fkey_click_column(const FkeyRecord& r, int x, int current);

// The keys of the editor. Each leaves the label terminated.
// F1 cue, F2 scene, F3 chase, F5 standby. The target is cleared, times
// outside 0-1998 are brought into it, a chase starts from the default times.
void fkey_choose_type(FkeyRecord& r, FkeyType type);
void fkey_clear(FkeyRecord& r);                        // Delete
void fkey_set_cue(FkeyRecord& r, int cue, int number);
void fkey_set_scene(FkeyRecord& r, int scene);
void fkey_set_chase(FkeyRecord& r, int chase);

// The labels, 7 bytes at most.
struct FkeyLabel {
    char text[sizeof(FkeyRecord::label)];
};
FkeyLabel fkey_cue_label(int number);   // "%4d.%1d", "%4d." for a whole cue
FkeyLabel fkey_scene_label(int scene);  // "SCN%3d" of the scene's number
FkeyLabel fkey_chase_label(int chase);  // "CHS%3d"
const char* fkey_standby_label();       // "ｽﾀﾝﾊﾞｲ"

// A typed cue number (12.5) as the index of the first cue carrying it, or
// kNone.
int fkey_cue_of_typed(const CueTable& cues, double typed);

enum class TypedRef { kTaken, kOutOfRange, kEmptyChase };
// A typed scene number 1-200.
TypedRef check_typed_scene(int typed);
// A typed chase number 1-50 of a chase with steps.
TypedRef check_typed_chase(const ChaseTable& chases, int typed);

// A stored duration brought into what the editor can set, 0-1998.
int fkey_duration_in_range(int stored);

}  // namespace prismel
