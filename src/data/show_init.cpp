#include "data/show_init.h"

#include "data/preset_reader.h"
#include "data/show_files.h"

namespace prismel {

int data_initialise(ShowData& show, const std::string& program_folder, const std::string& preset_file) {
    int written = 0;
    show.colours.clear_all();
    read_preset_colours(show.colours, preset_file);
    written += write_table(show, ShowTable::kColours, program_folder);
    show.scenes.reset();
    written += write_table(show, ShowTable::kScenes, program_folder);
    show.chases.reset();
    written += write_table(show, ShowTable::kChases, program_folder);
    show.cues.reset();
    written += write_table(show, ShowTable::kCues, program_folder);
    show.reset_patch();
    written += write_table(show, ShowTable::kPatch, program_folder);
    show.reset_fkeys();
    written += write_table(show, ShowTable::kFkeys, program_folder);
    show.reset_groups();
    written += write_table(show, ShowTable::kGroups, program_folder);
    return written == kShowFiles ? 1 : 0;
}

}  // namespace prismel
