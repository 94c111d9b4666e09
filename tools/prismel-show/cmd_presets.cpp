#include <cstdio>
#include <memory>

#include "commands.h"
#include "data/preset_reader.h"
#include "platform/text_codec.h"

namespace prismel::tool {

int cmd_presets(const Args& args) {
    if (args.size() != 1) {
        std::fputs("usage: prismel-show presets FILE\n", stderr);
        return 2;
    }
    auto colours = std::make_unique<ColourTable>();
    if (!read_preset_colours(*colours, args[0])) {
        std::fprintf(stderr, "%s\n", to_utf8(colours->message).c_str());
        return 1;
    }
    for (int i = 0; i < kPresets; ++i) {
        char name[sizeof(ColourRecord::name)];
        colours->name(i, name);
        const ColourRecord& r = colours->rec[i];
        if (name[0] == '\0' && r.y == 0 && r.m == 0 && r.c == 0) continue;
        std::printf("%d %s %d %d %d\n", i + 1, to_utf8(name).c_str(), r.y, r.m, r.c);
    }
    return 0;
}

}  // namespace prismel::tool
