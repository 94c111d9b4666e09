#include "screens/screen_exits.h"

#include "chwin/chw_key_map.h"
#include "chwin/reflist.h"
#include "screens/Diskop.h"
#include "screens/Editchs.h"
#include "screens/Editcol.h"
#include "screens/Editcue.h"
#include "screens/Editfky.h"
#include "screens/Editscn.h"
#include "screens/Runscr.h"
#include "screens/Setpat.h"

namespace prismel {
namespace {

struct ScreenExit {
    ChwWindow* (*window)();
    int (*close)();
};

// The key map edits nothing; it only stands between the end and the editors.
int close_key_map_exit() {
    close_key_map();
    return 1;
}

constexpr ScreenExit kExits[] = {
    {key_map_window, close_key_map_exit},
    {editscn_window, editscn_close}, {editchs_window, editchs_close}, {editcue_window, editcue_close},
    {editcol_window, editcol_close}, {editfky_window, editfky_close}, {setpat_window, setpat_close},
    {diskop_window, diskop_close},   {runscr_window, runscr_close},
};

// A reference list is only ever the top window, above the editor that opened it.
bool close_reference_list() { return close_colour_list() || close_scene_list() || close_chase_list(); }

bool close_top(const ChwWindow* top) {
    for (const ScreenExit& e : kExits)
        if (e.window() == top) return e.close() != 0;
    return close_reference_list();
}

}  // namespace

int close_open_screens(ChwScreen& screen) {
    int closed = 0;
    for (;;) {
        const ChwWindow* top = screen.top_window();
        if (!top || top->is_backdrop()) break;
        if (!close_top(top) || screen.top_window() == top) break;
        ++closed;
    }
    return closed;
}

}  // namespace prismel
