#include "platform/simulated_remote_port.h"

namespace prismel {

bool SimulatedRemotePort::open() {
    ++opens_count_;
    open_ = opens_;
    return open_;
}

void SimulatedRemotePort::raise_rts() {
    ++rts_calls_;
    rts_ = true;
}

bool SimulatedRemotePort::read_status(uint32_t& status) {
    reads_.fetch_add(1, std::memory_order_relaxed);
    if (read_fails_.load(std::memory_order_relaxed)) return false;
    status = status_.load(std::memory_order_relaxed);
    return true;
}

void SimulatedRemotePort::close() {
    ++closes_;
    open_ = false;
    rts_ = false;
}

}  // namespace prismel
