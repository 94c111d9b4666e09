#include "shell/show_init_link.h"

#include <cstdio>

#include "data/show_files.h"
#if __has_include("data/show_init.h")
#include "data/show_init.h"
#define PRISMEL_HAVE_SHOW_INIT 1
#endif
#if __has_include("data/preset_reader.h")
#include "data/preset_reader.h"
#define PRISMEL_HAVE_PRESET_READER 1
#endif

namespace prismel {

int read_presets(ShowData& show, const std::string& path) {
#ifdef PRISMEL_HAVE_PRESET_READER
    return read_preset_colours(show.colours, path);
#else
    // A tree without the reader keeps the presets as the tables hold them.
    std::snprintf(show.colours.message, sizeof show.colours.message, "[%s]", path.c_str());
    return 0;
#endif
}

int initialise_show_data(ShowData& show, const std::string& folder, const std::string& preset_file) {
#ifdef PRISMEL_HAVE_SHOW_INIT
    return data_initialise(show, folder, preset_file);
#else
    int ok = 1;
    show.colours.clear_all();
    read_presets(show, preset_file);
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
#endif
}

}  // namespace prismel
