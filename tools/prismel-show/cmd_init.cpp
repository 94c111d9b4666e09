#include <cstdio>
#include <filesystem>
#include <memory>

#include "commands.h"
#include "data/preset_reader.h"
#include "data/show_init.h"
#include "platform/text_codec.h"
#include "settings/program_folder.h"

namespace prismel::tool {

int cmd_init(const Args& args) {
    if (args.size() != 1) {
        std::fputs("usage: prismel-show init DIR\n", stderr);
        return 2;
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(args[0], ec)) {
        std::fprintf(stderr, "prismel-show: %s is not a folder\n", args[0].c_str());
        return 2;
    }
    std::string folder = as_folder(args[0]);
    std::string preset_file = preset_file_name(folder);
    if (!std::filesystem::exists(preset_file, ec)) {
        preset_file = preset_file_name(shipped_folder(program_folder()));
    }
    auto show = std::make_unique<ShowData>();
    int ok = data_initialise(*show, folder, preset_file);
    if (show->colours.message[0] != '\0') {
        std::fprintf(stderr, "prismel-show: %s\n", to_utf8(show->colours.message).c_str());
    }
    if (!ok) {
        std::fprintf(stderr, "prismel-show: could not write the show files into %s\n", args[0].c_str());
        return 1;
    }
    return 0;
}

}  // namespace prismel::tool
