#pragma once
// The console's OSC addresses: what a message asks for.
//
//   /prismel/go                  GO; with a string ("12.5"): that cue
//   /prismel/cue/<number>/go     that cue (/prismel/cue/12.5/go)
//   /prismel/back                BACK
//   /prismel/standby             standby
//   /prismel/scene/<n>           scene n (1-200); a number argument is the
//                                cross time in seconds (0-99.9)
//   /prismel/chase/<n>           chase n (1-50)
//   /prismel/fkey/<n>            function-key preset n (1-10)
//   /prismel/subscribe [port]    feedback to the sender for 60 s
//
// On go, back, standby, cue, chase and fkey a number argument is a button
// edge: non-zero (or T) is a press, 0 (or F, nil) a release, which asks for
// nothing, so a control surface sending both gives one action. No argument
// is a press. Anything else is ignored.
#include <cstdint>

#include "engine/playback_action.h"
#include "remote/osc_packet.h"

namespace prismel::remote {

struct OscRequest {
    enum class Kind : uint8_t { ignored, action, subscribe };
    Kind kind = Kind::ignored;
    PlaybackAction action;
    int reply_port = 0;  // subscribe: where feedback goes; 0: the sender's own port

    static OscRequest play(PlaybackAction a) { return OscRequest{Kind::action, a, 0}; }
    static OscRequest subscribe(int port) { return OscRequest{Kind::subscribe, {}, port}; }
    friend bool operator==(const OscRequest&, const OscRequest&) = default;
};

OscRequest osc_request(const OscMessage& m);

}  // namespace prismel::remote
