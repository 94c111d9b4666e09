#include "remote/osc_server.h"

namespace prismel::remote {

bool OscServer::start(uint16_t port, SenderAllow allow, Handler handler, Tick tick, std::string& error) {
    auto each_message = [handler = std::move(handler)](const uint8_t* data, size_t size, const UdpPeer& from) {
        for (const OscMessage& m : read_osc_packet(data, size)) handler(m, from);
    };
    return listener_.start(port, std::move(allow), std::move(each_message), std::move(tick), "prismel-osc", error);
}

void OscServer::send(const UdpPeer& to, const OscMessage& m) const {
    const std::vector<uint8_t> bytes = osc_bytes(m);
    listener_.send_to(to, bytes.data(), bytes.size());
}

}  // namespace prismel::remote
