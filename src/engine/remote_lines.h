#pragma once
// The line-state machine of the remote GO and BACK contacts. A line fires on
// the second consecutive step that sees it active, once per closure, and must
// be seen inactive before it can fire again.
#include <cstdint>

namespace prismel {

enum LineState : uint8_t { kLineIdle = 0, kLineSeenOnce = 1, kLineFired = 2 };

struct RemoteLines {
    uint8_t go_state = kLineIdle;
    uint8_t go_request = 0;  // set = go to the next used cue at the next step
    uint8_t back_state = kLineIdle;
    uint8_t back_request = 0;  // set = go to the previous used cue

    // One read of the modem status (kModem* bits of platform/remote_port.h).
    void update(uint32_t status);
    // The first read after the port opened: a line that is already active
    // (a switch held down, or a port whose unconnected inputs read as set)
    // counts as fired, so it must open once before it can fire.
    void arm(uint32_t status);
    void clear_requests() { go_request = back_request = 0; }
};

}  // namespace prismel
