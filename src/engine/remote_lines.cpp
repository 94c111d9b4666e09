#include "engine/remote_lines.h"

#include "platform/remote_port.h"

namespace prismel {
namespace {

void update_line(bool active, uint8_t& state, uint8_t& request) {
    if (!active) {
        state = kLineIdle;
        return;
    }
    if (state == kLineIdle) {
        state = kLineSeenOnce;
    } else if (state == kLineSeenOnce) {
        state = kLineFired;
        request = 1;
    }
}

}  // namespace

void RemoteLines::update(uint32_t status) {
    update_line(status & kModemCarrierDetect, go_state, go_request);
    update_line(status & kModemRing, back_state, back_request);
}

void RemoteLines::arm(uint32_t status) {
    go_state = (status & kModemCarrierDetect) ? kLineFired : kLineIdle;
    back_state = (status & kModemRing) ? kLineFired : kLineIdle;
}

}  // namespace prismel
