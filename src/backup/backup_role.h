#pragma once
// The role of a backup console, from what it hears of its primary and the
// time: a pure rule, so it runs alike on a real clock and in a test.
//
//  - starting: just started, outputs held; it follows at the primary's first
//    heartbeat. Having heard nothing of it for the start grace (2 s), it
//    becomes active.
//  - following: the primary's show plays here in step, outputs held. With
//    neither a heartbeat nor output from the primary for 1 s, it becomes
//    active.
//  - active: this console sends. Once the primary's heartbeat and its output
//    have both been there for 2 s without a break, it follows again.
//
// Output from the primary is its DMX seen on the lighting network, or a
// heartbeat in which the primary says its outputs send (the backup cannot
// see a USB widget or a unicast ArtDmx, the primary can tell).
#include <chrono>
#include <cstdint>
#include <optional>

namespace prismel::backup {

enum class BackupRole : uint8_t { starting, following, active };

class RoleMachine {
public:
    using Time = std::chrono::milliseconds;  // from any fixed origin
    static constexpr Time kTakeover{1000};
    static constexpr Time kStartGrace{2000};
    static constexpr Time kGiveBack{2000};
    // A heartbeat (every 100 ms) or an output counts as there for this long.
    static constexpr Time kPresence{500};

    explicit RoleMachine(Time started) : started_(started) {}

    // A state from the primary; `sending`: its outputs send, it says.
    void heartbeat(Time now, bool sending);
    // The primary's DMX, seen on the lighting network.
    void output(Time now);
    // The role at `now` (after whatever it heard up to then).
    BackupRole tick(Time now);
    BackupRole role() const { return role_; }

private:
    static bool within(const std::optional<Time>& t, Time now, Time span) { return t && now - *t < span; }

    Time started_;
    BackupRole role_ = BackupRole::starting;
    std::optional<Time> heartbeat_, output_;
    std::optional<Time> together_since_;  // active: both there without a break since
};

}  // namespace prismel::backup
