#pragma once
// Data initialisation as the start-up and the data menu call it: every table
// to its defaults and written to its file, the presets read again.
#include <string>

#include "data/show_data.h"

namespace prismel {

// Reads the preset colour definition file into the colour table: 1, or 0
// with the reader's error text in the table's message.
int read_presets(ShowData& show, const std::string& path);

// 1 when all seven files were written.
int initialise_show_data(ShowData& show, const std::string& folder, const std::string& preset_file);

}  // namespace prismel
