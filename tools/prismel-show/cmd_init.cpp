#include <cstdio>

#include "commands.h"

namespace prismel::tool {

int cmd_init(const Args&) {
    std::fputs("prismel-show: init is not built yet\n", stderr);
    return 2;
}

}  // namespace prismel::tool
