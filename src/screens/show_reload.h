#pragma once
// The whole show replaced while the output thread plays it: the new tables
// are built in a show of their own (files read, presets read, defaults set),
// and only the copy into the live show runs under the engine's edit guard,
// so the step waits for a copy of memory, never for the disk.
#include <memory>
#include <string>

#include "data/show_data.h"

namespace prismel {

std::unique_ptr<ShowData> copy_of_show(const ShowData& show);

// Every table of fresh into live, under ShowEdit.
void replace_show(ShowData& live, const ShowData& fresh);

// The seven tables read again from the data folder over the current ones
// (a table whose file is missing or short keeps what it had), then the
// preset colours from preset_file. Both this and the initialisation end the
// editors' undo histories.
void reload_show(ShowData& live, const std::string& data_folder, const std::string& preset_file);

// Data initialisation of the live show: 1 when all seven files were written.
int initialise_show(ShowData& live, const std::string& data_folder, const std::string& preset_file);

// The preset colours read from path into the live colours: 1, or 0 with the
// reader's message in live.colours.message and the presets as the reader
// left them.
int reload_preset_colours(ShowData& live, const std::string& path);

}  // namespace prismel
