#pragma once
// An editor writes its table to the show's folder when it closes. A write
// that fails leaves the old file as it was; the operator is told on the
// message line, since the edits then live only until the program ends.
#include <string>

#include "data/show_files.h"

namespace prismel {

// The folder of the show files: the program folder of the environment
// settings (empty while there are none).
std::string show_folder();

// Writes table t of g_show to the show folder: 1, or 0 with the message
// "[PRSMDATA.EXT]が書き込めません" shown (with the error beep).
int write_show_table(ShowTable t);

}  // namespace prismel
