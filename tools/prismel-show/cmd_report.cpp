#include <cstdio>
#include <filesystem>
#include <memory>

#include "commands.h"
#include "data/reports.h"
#include "data/show_files.h"

namespace prismel::tool {

int cmd_report(const Args& args) {
    if (args.size() != 3) {
        std::fputs("usage: prismel-show report scenes|chases|cues DIR OUT\n", stderr);
        return 2;
    }
    const std::string& kind = args[0];
    int (*write)(const ShowData&, const std::string&) = nullptr;
    if (kind == "scenes") write = write_scene_name_list;
    if (kind == "chases") write = write_chase_name_list;
    if (kind == "cues") write = write_cue_program_list;
    if (!write) {
        std::fprintf(stderr, "prismel-show: unknown report '%s' (scenes, chases or cues)\n", kind.c_str());
        return 2;
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(args[1], ec)) {
        std::fprintf(stderr, "prismel-show: %s is not a folder\n", args[1].c_str());
        return 2;
    }
    auto show = std::make_unique<ShowData>();
    std::string folder = as_folder(args[1]);
    for (ShowTable t : kShowTables) {
        if (!read_table(*show, t, folder)) {
            std::fprintf(stderr, "prismel-show: warning: cannot read %s\n", show_file_name(folder, t).c_str());
        }
    }
    if (!write(*show, args[2])) {
        std::fprintf(stderr, "prismel-show: cannot write the report to %s\n", args[2].c_str());
        return 1;
    }
    return 0;
}

}  // namespace prismel::tool
