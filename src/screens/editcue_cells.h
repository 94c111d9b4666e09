#pragma once
// What the cue editor's keys do to the cell under the cursor: a typed value,
// Delete, the mode keys, the Shift+wheel nudge and the result of a
// reference list. Every write of the cue table is one short ShowEdit, after
// the operator has answered.
#include "chwin/chw_window.h"

namespace prismel {

// Where the cursor stands.
struct CueCursor {
    ChwWindow* window = nullptr;  // the editor's (the parent of a list opened from a cell)
    int cue = 0;                  // position of the cursor cue, 0-999
    int column = 0;               // 0-7
    int screen_row = 0;           // screen row of the cursor cue
    bool testing = false;         // the editor's test is on stage
};

// A digit typed on the cursor cell opens the cell's input with it. Column 0
// looks the typed number up: the position of the cue found, else kNone
// (and the message line says that no cue carries it).
int type_into_cell(const CueCursor& c, char digit);
// L (0) and S (1) in the mode column; elsewhere the message line says where
// they belong. Delete, the same for the scene and chase columns.
void set_cue_mode(const CueCursor& c, int mode);
// Delete: the scene or the chase of the cue goes, with its times.
void clear_cell(const CueCursor& c);
// Shift+wheel: the time of the cell 0.1 s up (direction > 0) or down.
void nudge_cell(const CueCursor& c, int direction);
// Key code 0: a scene or chase just picked from a reference list becomes
// the cursor cue's (taken once).
void take_list_result(const CueCursor& c);

}  // namespace prismel
