#pragma once
// Input routed to the top window the way the main window does it, so that
// the host and screen tests share one implementation of the result codes.
#include "chwin/chw_screen.h"

namespace prismel {

// Ctrl+H opens the top window's key map (chw_key_map.h) when it has a key
// table. Otherwise keypad digits mapped, the top window's key handler called and its result
// acted on: kResultWindowClosed shows the new top window and sends it key 0
// with the same flags; kResultRedrawTop shows the top window again. Returns
// the handler's result (the host closes on kResultQuit), or 0 when the top
// window has no key handler.
int deliver_key(ChwScreen& s, int key, int flags);
// Releases of Shift, Ctrl and Alt reach the key handler; others do not.
void deliver_key_release(ChwScreen& s, int key, int flags);
// What a left press did: the key it delivered (0: none, so a frame
// selection may start) and the key handler's result (the host closes on
// kResultQuit).
struct ChwPress {
    int key = 0;
    int result = 0;
};
// Left button at a cell: a cap of the bar becomes its F-key; elsewhere the
// mouse handler's key (unless the suppress-next-mouse flag is set). A key is
// drawn pressed and delivered like a key press. Clears the suppress flag.
ChwPress deliver_left_press(ChwScreen& s, int column, int row, int button, int flags);
// The same, when only the key matters.
int deliver_left_click(ChwScreen& s, int column, int row, int button, int flags);
// Double click: only kResultWindowClosed is acted on (key 0, no flags, and
// the press of the second click is suppressed). Returns the handler's result.
int deliver_double_click(ChwScreen& s);
// One wheel event: Up/Down, or with Shift 191/192 followed by key 0.
void deliver_wheel(ChwScreen& s, int delta, int flags);
// The top window's draw handler, as on every timer tick.
void deliver_tick(ChwScreen& s);

}  // namespace prismel
