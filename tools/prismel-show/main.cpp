// prismel-show: inspect, check, report and play a show folder without the window.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "commands.h"
#include "data/show_files.h"

namespace prismel::tool {

std::string program_folder() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return "./";
    return exe.parent_path().string() + "/";
}

std::string as_folder(const std::string& dir) {
    if (!dir.empty() && dir.back() == '/') return dir;
    return dir + "/";
}

bool read_whole_show(ShowData& show, const std::string& folder) {
    for (ShowTable t : kShowTables) {
        if (!read_table(show, t, folder)) {
            std::fprintf(stderr, "prismel-show: cannot read %s\n", show_file_name(folder, t).c_str());
            return false;
        }
    }
    return true;
}

}  // namespace prismel::tool

namespace {

const char kUsage[] =
    "usage: prismel-show COMMAND ARGS...\n"
    "\n"
    "  init DIR                    write a fresh default show (the seven data files) into DIR;\n"
    "                              presets from DIR/PRSMDATA.DEF, else the shipped default\n"
    "  report scenes|chases|cues DIR OUT\n"
    "                              write that report of the show in DIR to the file OUT\n"
    "  check DIR                   list every anomaly of the show in DIR, one a line;\n"
    "                              exit 0 clean, 1 anomalies found, 2 DIR unreadable\n"
    "  presets FILE                read a preset colour definition file and list its presets\n"
    "                              as NUMBER NAME Y M C\n"
    "  simulate DIR SCRIPT         run the playback engine offline on the show in DIR and\n"
    "                              print the DMX frame after every step\n"
    "  play DIR [--seconds S] [--universe N] [--resume]\n"
    "                              play the show in DIR over Art-Net without the window;\n"
    "                              commands on standard input: go, back, cue N, standby, quit;\n"
    "                              --resume plays on after an unexpected end (DIR/prismel-show.JNL)\n"
    "  --help                      this text\n";

struct Command {
    const char* name;
    int (*run)(const prismel::tool::Args&);
};

const Command kCommands[] = {
    {"init", prismel::tool::cmd_init},       {"report", prismel::tool::cmd_report},
    {"check", prismel::tool::cmd_check},     {"presets", prismel::tool::cmd_presets},
    {"simulate", prismel::tool::cmd_simulate}, {"play", prismel::tool::cmd_play},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h") || !std::strcmp(argv[1], "help")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    for (const Command& c : kCommands) {
        if (!std::strcmp(argv[1], c.name)) return c.run(prismel::tool::Args(argv + 2, argv + argc));
    }
    std::fprintf(stderr, "prismel-show: unknown command '%s' (see prismel-show --help)\n", argv[1]);
    return 2;
}
