#pragma once
// What the console tells an OSC subscriber: the current and the next cue
// (number and scene name) and whether a cue is running, at once when it
// subscribes and on every change, for 60 s after its last subscribe.
#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "data/show_data.h"
#include "engine/playback_engine.h"
#include "remote/osc_packet.h"
#include "remote/udp_listener.h"

namespace prismel::remote {

struct CueFeedback {
    std::string number;  // "3", "12.5"; empty for none
    std::string name;    // the cue's scene's name in UTF-8; empty without one
    friend bool operator==(const CueFeedback&, const CueFeedback&) = default;
};

struct FeedbackState {
    CueFeedback current;  // empty in standby
    CueFeedback next;     // the cue GO plays; empty after the last cue
    bool running = false;
    friend bool operator==(const FeedbackState&, const FeedbackState&) = default;
};

// Read under the engine's lock, converted to UTF-8 outside it.
FeedbackState read_feedback_state(const PlaybackEngine& engine, const ShowData& show);

// /prismel/cue/current ss, /prismel/cue/next ss, /prismel/state s.
std::vector<OscMessage> feedback_messages(const FeedbackState& state);

// The senders that asked for feedback.
class Subscribers {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds kLifetime{60};
    static constexpr size_t kCapacity = 32;

    // Adds a subscriber or renews one; when all places are taken, the one
    // that subscribed longest ago gives its place up.
    void subscribe(const UdpPeer& to, Clock::time_point now);
    // Forgets those whose last subscribe is kLifetime old.
    void expire(Clock::time_point now);
    std::vector<UdpPeer> peers() const;
    bool empty() const { return entries_.empty(); }

private:
    struct Entry {
        UdpPeer peer;
        Clock::time_point since;
    };
    std::vector<Entry> entries_;
};

}  // namespace prismel::remote
