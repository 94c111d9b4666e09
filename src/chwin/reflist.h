#pragma once
// The reference (pick) lists an editor opens on top of itself: colours by
// incremental search on the name, scenes and chases by a typed number.
// Enter, Esc or a double click closes the list with the key handler result
// kResultWindowClosed; the editor below then gets key 0, finds which list
// closed in the screen's picker_result (kPickedColour / kPickedScene /
// kPickedChase), takes the list's result (-1 = cancelled) and sets
// picker_result back to kPickedNone.
#include "chwin/chw_list.h"
#include "chwin/chw_window.h"

namespace prismel {

class ChwScreen;

// All act on g_screen. open returns 1 (0 when there is no screen);
// close returns 1 if the list was open, else 0.
int open_colour_list(ChwWindow* parent);
int close_colour_list();
int colour_list_result();  // picked colour index 0-499, or -1

int open_scene_list(ChwWindow* parent);
int close_scene_list();
int scene_list_result();  // picked scene index 0-199, or -1

int open_chase_list(ChwWindow* parent);
int close_chase_list();
int chase_list_result();  // picked chase index 0-49, or -1

// For tests and screens that need to look at an open list (null when closed).
const ChwList* colour_list_control();
const ChwList* scene_list_control();
const ChwList* chase_list_control();

}  // namespace prismel
