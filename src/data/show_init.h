#pragma once
// Data initialisation: the whole show back to its defaults, the presets
// read again, and every table written to its file.
#include <string>

#include "data/show_data.h"

namespace prismel {

// In the fixed order colours (cleared, presets read from preset_file, the
// reader's message left in the colour table), scenes, chases, cues, patch,
// function keys, groups, each table written to program_folder after it is
// reset. 1 when all seven files were written, else 0 (every step still runs).
int data_initialise(ShowData& show, const std::string& program_folder, const std::string& preset_file);

}  // namespace prismel
