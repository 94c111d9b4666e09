#pragma once
// The browser remote of the headless player: the same server as the
// console's, on a thread of its own. Builds without Qt have none.
#include <memory>
#include <string>

#include "data/show_data.h"
#include "engine/playback_engine.h"

namespace prismel::tool {

struct PlayWebOptions {
    int port = 0;           // 0: no remote
    std::string pin;        // empty: six random digits, printed once on standard error
    std::string interface;  // the output's interface: listen there only
};

// False in a build without the remote: the player then refuses --web-port
// before it sends anything.
bool play_web_supported();

class PlayWebRemote {
public:
    virtual ~PlayWebRemote() = default;
};

// Starts the remote and says on standard error where it listens; nullptr
// after saying why it could not.
std::unique_ptr<PlayWebRemote> start_play_web_remote(PlaybackEngine& engine, const ShowData& show,
                                                     const PlayWebOptions& options);

}  // namespace prismel::tool
