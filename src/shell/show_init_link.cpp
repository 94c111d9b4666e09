#include "shell/show_init_link.h"

#include "data/preset_reader.h"
#include "data/show_init.h"

namespace prismel {

int read_presets(ShowData& show, const std::string& path) { return read_preset_colours(show.colours, path); }

int initialise_show_data(ShowData& show, const std::string& folder, const std::string& preset_file) {
    return data_initialise(show, folder, preset_file);
}

}  // namespace prismel
