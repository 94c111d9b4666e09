#pragma once
// The scene editor's window, drawn from the show and the editor's state on
// every tick, and its caption and bar for the modifier held.
#include "chwin/chw_screen.h"
#include "data/show_data.h"
#include "engine/engine_state.h"
#include "screens/editscn_rules.h"

namespace prismel {

// What the F-keys do while a modifier is held: Shift one-touch sizes, Alt
// recalls a group, Ctrl stores one.
enum class EditscnBar { kNormal, kSize, kGroupRecall, kGroupStore };

// Shift before Alt before Ctrl, as the F-keys take them.
EditscnBar bar_of_modifiers(int flags);
const char* editscn_bar_labels(EditscnBar bar);  // CP932
// True for the labels of any of the editor's bars.
bool is_editscn_bar(const char* labels);
// The caption row and the bar for `bar` (the caption cleared for the normal bar).
void show_editscn_bar(ChwScreen& s, EditscnBar bar);

struct EditscnView {
    int scene = kNone;  // kNone or 0-199
    const Marks* marks = nullptr;
    int cursor = 0;     // the cursor fixture
};

void draw_editscn_window(ChwScreen& s, const ChwWindow& w, const EditscnView& view, const ShowData& show,
                         const EngineFields& engine);

}  // namespace prismel
