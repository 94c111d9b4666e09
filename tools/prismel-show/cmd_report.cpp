#include <cstdio>

#include "commands.h"

namespace prismel::tool {

int cmd_report(const Args&) {
    std::fputs("prismel-show: report is not built yet\n", stderr);
    return 2;
}

}  // namespace prismel::tool
