#include <cstdio>

#include "commands.h"
#include "data/show_check.h"

namespace prismel::tool {

int cmd_check(const Args& args) {
    if (args.size() != 1) {
        std::fputs("usage: prismel-show check DIR\n", stderr);
        return 2;
    }
    ShowCheck check = check_show_folder(args[0]);
    if (!check.readable) {
        std::fprintf(stderr, "prismel-show: cannot read the folder %s: %s\n", args[0].c_str(), check.error.c_str());
        return 2;
    }
    for (const std::string& line : check.anomalies) std::printf("%s\n", line.c_str());
    // Warnings are listed but never fail the check: a show may share
    // channels between fixtures on purpose.
    for (const std::string& line : check.warnings) std::printf("%s\n", line.c_str());
    return check.anomalies.empty() ? 0 : 1;
}

}  // namespace prismel::tool
