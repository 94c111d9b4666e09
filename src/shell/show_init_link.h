#pragma once
// The show data operations that start-up hands to the show loader.
#include <string>

#include "data/show_data.h"

namespace prismel {

// Reads the preset colour definition file into the colour table: 1, or 0
// with the reader's error text in the table's message.
int read_presets(ShowData& show, const std::string& path);

// Data initialisation: 1 when all seven files were written.
int initialise_show_data(ShowData& show, const std::string& folder, const std::string& preset_file);

}  // namespace prismel
