#include <cstdio>

#include "play_web.h"

namespace prismel::tool {

std::unique_ptr<PlayWebRemote> start_play_web_remote(PlaybackEngine&, const ShowData&, const PlayWebOptions&) {
    std::fputs("prismel-show: this build has no web remote (it was built without Qt)\n", stderr);
    return nullptr;
}

}  // namespace prismel::tool
