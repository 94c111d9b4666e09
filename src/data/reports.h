#pragma once
// Plain-text listings of the show for printing: fixed-width lines in CP932,
// written in text mode (the platform's line ends).
#include <string>

#include "data/show_data.h"

namespace prismel {

// Each writes the whole report to path: 1, or 0 when the file could not be
// created or written completely.
int write_scene_name_list(const ShowData& show, const std::string& path);
int write_chase_name_list(const ShowData& show, const std::string& path);
int write_cue_program_list(const ShowData& show, const std::string& path);

}  // namespace prismel
