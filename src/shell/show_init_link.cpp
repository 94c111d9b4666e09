#include "shell/show_init_link.h"

#include "data/preset_reader.h"
#include "data/show_files.h"

namespace prismel {

int initialise_show_data(ShowData& show, const std::string& folder, const std::string& preset_file) {
    int ok = 1;
    show.colours.clear_all();
    read_preset_colours(show.colours, preset_file);
    ok &= write_table(show, ShowTable::kColours, folder);
    show.scenes.reset();
    ok &= write_table(show, ShowTable::kScenes, folder);
    show.chases.reset();
    ok &= write_table(show, ShowTable::kChases, folder);
    show.cues.reset();
    ok &= write_table(show, ShowTable::kCues, folder);
    show.reset_patch();
    ok &= write_table(show, ShowTable::kPatch, folder);
    show.reset_fkeys();
    ok &= write_table(show, ShowTable::kFkeys, folder);
    show.reset_groups();
    ok &= write_table(show, ShowTable::kGroups, folder);
    return ok;
}

}  // namespace prismel
