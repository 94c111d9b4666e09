#include <cstdio>

#include "commands.h"

namespace prismel::tool {

int cmd_simulate(const Args&) {
    std::fputs("prismel-show: simulate is not built yet\n", stderr);
    return 2;
}

}  // namespace prismel::tool
