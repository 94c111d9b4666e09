#include <cstdio>

#include "commands.h"

namespace prismel::tool {

int cmd_check(const Args&) {
    std::fputs("prismel-show: check is not built yet\n", stderr);
    return 2;
}

}  // namespace prismel::tool
