#pragma once
// An OSC server over UDP: a port, the senders allowed on it, and a handler
// that gets every message of every datagram in order, with its sender. It
// knows no addresses of its own, so any remote speaking OSC (the console's
// show-control addresses, a backup console following its primary) is one
// handler on it.
#include <functional>
#include <string>

#include "remote/osc_packet.h"
#include "remote/udp_listener.h"

namespace prismel::remote {

class OscServer {
public:
    using Handler = std::function<void(const OscMessage& message, const UdpPeer& from)>;
    using Tick = UdpListener::Tick;

    // False, with the reason in error, when the port cannot be had. The
    // handler and the tick run on the server's thread.
    bool start(uint16_t port, SenderAllow allow, Handler handler, Tick tick, std::string& error);
    void stop() { listener_.stop(); }
    bool running() const { return listener_.running(); }
    uint16_t port() const { return listener_.port(); }
    const UdpListener& listener() const { return listener_; }

    // From the server's port, without waiting.
    void send(const UdpPeer& to, const OscMessage& m) const;

private:
    UdpListener listener_;
};

}  // namespace prismel::remote
