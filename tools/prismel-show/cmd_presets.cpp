#include <cstdio>

#include "commands.h"

namespace prismel::tool {

int cmd_presets(const Args&) {
    std::fputs("prismel-show: presets is not built yet\n", stderr);
    return 2;
}

}  // namespace prismel::tool
