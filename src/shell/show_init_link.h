#pragma once
// Data initialisation as the start-up and the data menu call it: every table
// to its defaults and written to its file, the presets read again.
#include <string>

#include "data/show_data.h"

namespace prismel {

// 1 when all seven files were written.
int initialise_show_data(ShowData& show, const std::string& folder, const std::string& preset_file);

}  // namespace prismel
