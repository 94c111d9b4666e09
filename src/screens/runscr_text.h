#pragma once
// Texts of the run screen that depend only on their values: cue numbers,
// the caption above the function-key bar and the bar's labels. CP932 bytes.
#include <cstddef>

#include "data/show_records.h"

namespace prismel {

constexpr size_t kRunscrTextBytes = 160;

// Caption of scene call mode: page (0-19) shown 1-20, cross time in seconds.
void runscr_scene_caption(int page, int xtime, char* buf, size_t size);
const char* runscr_preset_caption();
const char* runscr_aux_caption();

// Bar of scene call mode: "SCN  1|" ... for the ten scenes of the page.
void runscr_scene_bar(int page, char* buf, size_t size);
// Bar of preset call mode: the ten function-key labels. Each is limited to
// one cap (6 bytes, no double-byte character cut, up to any "|"), so that a
// label never spills onto the next key's cap.
void runscr_preset_bar(const FkeyRecord* fkeys, char* buf, size_t size);
// Bar while Shift is held, for scene call mode (0) or preset call mode (1).
const char* runscr_aux_bar(int call_mode);

}  // namespace prismel
