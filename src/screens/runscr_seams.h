#pragma once
// What the run screen needs from outside the character screen: the mouse
// pointer, the output monitor and the settings it keeps (FkeyTime,
// RunMouse). The Shift key's live state comes from platform/input_state.h.
// The main window installs
// the real ones at start-up; tests install scripted ones.
#include <functional>

namespace prismel {

struct RunscrSeams {
    // true: the not-allowed pointer over the application; false: the default.
    std::function<void(bool no_entry)> set_no_entry_pointer;
    // Shows the output monitor when it is hidden (and gives the keyboard
    // back to the main window), closes it when it shows.
    std::function<void()> toggle_output_monitor;
    // The FkeyTime setting (a stored duration) and the RunMouse option.
    std::function<int()> read_fkey_time;
    std::function<void(int)> write_fkey_time;
    std::function<bool()> run_mouse;
};

// The installed seams. Unset members act as: no pointer change, no monitor, FkeyTime kept in memory, RunMouse off.
RunscrSeams& runscr_seams();

}  // namespace prismel
