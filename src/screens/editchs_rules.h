#pragma once
// What the chase editor does to a chase record, apart from the screen.
//
// A record read from a file may hold anything: a step count above 48, step
// scenes outside the scene table, slots past the count that are not empty, a
// name without its terminator. Reading goes through the lookups below, which
// stay inside the record; every edit first repairs the record, so that what
// it writes back is a chase the rest of the console can trust.
#include <string>

#include "data/show_records.h"

namespace prismel {

// The scene of step k, or kNone for a slot past the count, an empty step or
// a scene outside the table.
int chase_step_scene(const ChaseRecord& c, int k);
// Items of the step cursor: every step and the free slot after the last
// one, 48 at most.
int chase_cursor_items(const ChaseRecord& c);
bool chase_is_full(const ChaseRecord& c);

// The count within 0-48, every slot past it and every step whose scene lies
// outside the table made none, the name terminated within its field and cut
// at a whole character.
void repair_chase(ChaseRecord& c);

// Inserts scene (0-199) as step `at`: the steps from there move one slot
// down and the count grows by one. An `at` past the last step appends.
// False, with nothing changed, when the chase already has 48 steps or the
// scene is not in the table.
bool insert_chase_step(ChaseRecord& c, int at, int scene);
// Removes step `at`: the following steps move up, the last used slot
// becomes none. False, with nothing changed, when `at` is not a step.
bool remove_chase_step(ChaseRecord& c, int at);
// No steps, all 48 slots none; the name stays (repaired).
void clear_chase_steps(ChaseRecord& c);
// The whole record of `from` over `to`, repaired, so that copying a damaged
// chase does not spread the damage.
void copy_chase(ChaseRecord& to, const ChaseRecord& from);
// The name: the CP932 text cut to the field's 20 bytes at a whole
// character, the rest of the field zero; the steps repaired.
void set_chase_name(ChaseRecord& c, const std::string& cp932);

}  // namespace prismel
