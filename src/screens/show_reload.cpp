#include "screens/show_reload.h"

#include "data/preset_reader.h"
#include "data/show_files.h"
#include "data/show_init.h"
#include "engine/show_edit.h"
#include "screens/undo_keys.h"

namespace prismel {
namespace {

void copy_tables(const ShowData& from, ShowData& to) {
    to.colours = from.colours;
    for (int i = 0; i < kScenes; ++i) to.scenes[i] = from.scenes[i];
    for (int i = 0; i < kChases; ++i) to.chases[i] = from.chases[i];
    for (int i = 0; i < kCues; ++i) to.cues[i] = from.cues[i];
    for (int i = 0; i < kFixtures; ++i) to.patch[i] = from.patch[i];
    for (int i = 0; i < kFkeys; ++i) to.fkeys[i] = from.fkeys[i];
    for (int i = 0; i < kGroups; ++i) to.groups[i] = from.groups[i];
}

}  // namespace

std::unique_ptr<ShowData> copy_of_show(const ShowData& show) {
    auto copy = std::make_unique<ShowData>();
    copy_tables(show, *copy);
    return copy;
}

void replace_show(ShowData& live, const ShowData& fresh) {
    ShowEdit edit;
    copy_tables(fresh, live);
}

void reload_show(ShowData& live, const std::string& data_folder, const std::string& preset_file) {
    auto fresh = copy_of_show(live);
    read_all_tables(*fresh, data_folder);
    read_preset_colours(fresh->colours, preset_file);
    replace_show(live, *fresh);
    // What the editors could take back belongs to the show that was there.
    clear_edit_histories();
}

int initialise_show(ShowData& live, const std::string& data_folder, const std::string& preset_file) {
    auto fresh = std::make_unique<ShowData>();
    const int written = data_initialise(*fresh, data_folder, preset_file);
    replace_show(live, *fresh);
    clear_edit_histories();
    return written;
}

int reload_preset_colours(ShowData& live, const std::string& path) {
    auto colours = std::make_unique<ColourTable>(live.colours);
    const int ok = read_preset_colours(*colours, path);
    ShowEdit edit;
    live.colours = *colours;
    return ok;
}

}  // namespace prismel
