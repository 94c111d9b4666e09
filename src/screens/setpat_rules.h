#pragma once
// Where a fixture may start in the universe: the rules of the patch editor
// over the patch table, apart from the screen.
//
// A record read from a file may hold any 16-bit values. The editor reads a
// layout outside 1-4 as the colour fader it is shown as, and a start outside
// the universe as no start at all (the engine outputs neither); a record the
// editor writes is always one of the four layouts.
#include "data/show_records.h"

namespace prismel {

using PatchTable = PatchRecord[kFixtures];

// The layout as the editor shows and counts it: 1-4, any other value 2.
int shown_layout(int layout);
// The start lies in the universe (0-511): the fixture is patched.
bool is_patched(const PatchRecord& p);

// The DMX channels (1-based) a start may be typed as for the layout: those
// from which all its channels fit in the universe (1-509, 1-510, 1-512,
// 1-509).
struct TypedStartRange {
    int first;
    int last;
};
TypedStartRange typed_start_range(int layout);

// Continuing from the fixture before: what F6 proposes for `fixture`.
enum class Continuation {
    kStart,   // start at `start`
    kBeyond,  // the fixture would not fit in the universe any more
    kNothing, // the fixture before has no start, or the index is none
};
struct ContinueResult {
    Continuation what;
    int start;  // 0-based, for kStart
};
ContinueResult continue_start(const PatchTable& patch, int fixture);

// Another patched fixture whose channels the start (0-based) falls in, or
// kNone. Only where the start falls counts: a range that runs over another
// fixture's start is not looked at.
int clash_at(const PatchTable& patch, int fixture, int start);

// The record after each edit; every one carries a layout 1-4.
PatchRecord retyped(const PatchRecord& p, int layout);
PatchRecord placed(const PatchRecord& p, int start);
PatchRecord unpatched(const PatchRecord& p);

}  // namespace prismel
