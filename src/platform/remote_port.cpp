#include "platform/remote_port.h"

#include <atomic>

namespace prismel {

namespace {

class NoRemotePort : public RemotePort {
public:
    bool open() override { return false; }
    void raise_rts() override {}
    bool read_status(uint32_t&) override { return false; }
    void close() override {}
};

// Forwards to the installed port. The output thread reads the status through
// it, so the target is an atomic pointer.
class ForwardingRemotePort : public RemotePort {
public:
    void install(RemotePort* port) { target_.store(port ? port : &no_remote_port(), std::memory_order_release); }
    bool open() override { return target().open(); }
    void raise_rts() override { target().raise_rts(); }
    bool read_status(uint32_t& status) override { return target().read_status(status); }
    void close() override { target().close(); }

private:
    RemotePort& target() const { return *target_.load(std::memory_order_acquire); }
    std::atomic<RemotePort*> target_{&no_remote_port()};
};

ForwardingRemotePort& forwarding() {
    static ForwardingRemotePort port;
    return port;
}

}  // namespace

RemotePort& no_remote_port() {
    static NoRemotePort port;
    return port;
}

RemotePort& engine_remote_port() { return forwarding(); }

void install_remote_port(RemotePort* port) { forwarding().install(port); }

}  // namespace prismel
