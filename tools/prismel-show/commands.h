#pragma once
// The subcommands of prismel-show. Each takes the arguments after its name
// and returns the process exit code.
#include <string>
#include <vector>

#include "data/show_data.h"

namespace prismel::tool {

using Args = std::vector<std::string>;

int cmd_init(const Args& args);
int cmd_report(const Args& args);
int cmd_check(const Args& args);
int cmd_presets(const Args& args);
int cmd_simulate(const Args& args);
int cmd_play(const Args& args);
// play's usage and options, one text for every place that shows them.
const char* play_usage();

// The folder the tool's executable lies in, with a trailing separator: the
// shipped preset definition file is found there.
std::string program_folder();
// DIR as the program folder is kept: with a trailing separator.
std::string as_folder(const std::string& dir);
// Reads the seven tables of the show in folder (as as_folder gives it); at
// the first that cannot be read, says so on standard error and returns false.
bool read_whole_show(ShowData& show, const std::string& folder);

}  // namespace prismel::tool
