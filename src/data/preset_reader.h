#pragma once
// The preset colour definition file: a Shift-JIS text of lines
//   preset_color = NUMBER, NAME, Y, M, C
// that rebuilds presets 0-399; the user colours are never touched.
#include <string>

#include "data/show_data.h"

namespace prismel {

constexpr const char* kPresetFileExtension = "DEF";

// The preset definition file in folder (kept with its trailing separator):
// "PRSMDATA.DEF".
std::string preset_file_name(const std::string& folder);

// Clears presets 0-399 and reads them from the file at path. 1 on success
// with colours.message empty; 0 with the error text (CP932) in
// colours.message. Presets defined before an error keep their values. When
// the file cannot be opened the colours are left as they were.
int read_preset_colours(ColourTable& colours, const std::string& path);

}  // namespace prismel
