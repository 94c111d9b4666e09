#pragma once
// The cue list's editing rules, over the cue table alone: point cues put in
// between two cues and taken out again, and a range of cues copied to
// another place in the list. The cue editor asks the operator and shows the
// refusals; these decide.
#include "data/show_data.h"

namespace prismel {

// --- point cues ----------------------------------------------------------

enum class PointInsert {
    kInserted,
    kNoRoom,      // the first record, or the last record of the table is in use
    kOutOfRange,  // the number does not lie strictly between the neighbours
};

// A point cue can go in before position a: not the first record, and the
// table's last record (which drops out) is free.
bool point_insert_possible(const CueTable& t, int a);
// A fresh cue numbered `tenths` at position a, the records from a on moved
// down one place. tenths < 0 (a typed number no cue can carry) is out of range.
PointInsert insert_point_cue(CueTable& t, int a, int tenths);

// Takes out the cue at position a when it is a point cue (tenths digit not
// 0); false, with the table untouched, for a whole cue.
bool delete_point_cue(CueTable& t, int a);

// --- range copy ----------------------------------------------------------

enum class CopyStop {
    kNone,        // all copied
    kNotFound,    // a typed number names no cue
    kInvalid,     // last below first, or the destination not past the last
    kNoRoom,      // a target can neither be found nor inserted (the list is
                  // full, or its number lies past the 16-bit field)
    kTargetUsed,  // a target cue has a scene or a chase
};

// The checks the three prompts make, each on the numbers typed so far (in
// tenths; < 0 for a typed number no cue can carry).
CopyStop check_copy_first(const CueTable& t, int first);
CopyStop check_copy_last(const CueTable& t, int first, int last);
CopyStop check_copy_destination(const CueTable& t, int first, int last, int destination);

struct CopyOutcome {
    CopyStop stop = CopyStop::kNone;
    int copied = 0;  // cues copied before the stop (they stay copied)
};

// Copies the cues numbered first ... last (in table order) to the same
// numbers shifted by whole cues, so that `first` lands on the destination's
// whole cue; a missing target is inserted at its place in number order.
// Checks the three numbers first. The sources are taken as they were before
// the copy, so targets inserted or filled among them are not copied again.
CopyOutcome copy_cue_range(CueTable& t, int first, int last, int destination);

// A cue as a copy carries it on: references outside their tables become
// none, a mode other than 0 and 1 becomes loop, a negative time 0 -- each
// what the engine plays for it already -- so a damaged record is not spread.
CueRecord repaired_cue(const CueRecord& r);

}  // namespace prismel
