#include "play_web.h"

namespace prismel::tool {

bool play_web_supported() { return false; }

std::unique_ptr<PlayWebRemote> start_play_web_remote(PlaybackEngine&, const ShowData&, const PlayWebOptions&) {
    return nullptr;
}

}  // namespace prismel::tool
