#include <cstdio>

#include "commands.h"

namespace prismel::tool {

int cmd_play(const Args&) {
    std::fputs("prismel-show: play is not built yet\n", stderr);
    return 2;
}

}  // namespace prismel::tool
