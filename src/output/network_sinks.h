#pragma once
// The two network outputs, Art-Net and sACN. Both send through the sockets
// of the output binding (the interface and address the console speaks
// from), which the output thread keeps in a NetworkPath.
#include <atomic>

#include "output/artnet_nodes.h"
#include "output/artnet_packets.h"
#include "output/dmx_sink.h"
#include "output/net_seams.h"
#include "output/sacn_stream.h"

namespace prismel::artnet {

// The binding as the network outputs see it; changed by the binding's owner,
// read on the loop's thread.
struct NetworkPath {
    UdpSocket* artnet = nullptr;  // port 6454, when Art-Net is in use
    UdpSocket* sacn = nullptr;    // any port, multicast, when sACN is in use
    Ipv4 broadcast;
    Ipv4 own = kLoopback;  // the address it speaks from
    bool ready = false;
    OutputStatus status = OutputStatus::no_socket;
};

// ArtDmx, broadcast or sent to the nodes that asked for the universe, when
// the frame changed and every 75th frame.
class ArtnetSink final : public DmxSink {
public:
    static constexpr int kKeepAliveFrames = 75;  // an unchanged ArtDmx is repeated every 1.5 s

    ArtnetSink(const NetworkPath& path, const NodeList& nodes, const std::atomic<int>& tx_universe,
               const OutputSettings& s);
    Protocol kind() const override { return Protocol::artnet; }
    void take(const SinkFrame& f) override;
    void resend() override { resend_ = true; }
    void apply(const OutputSettings& s) override { delivery_ = s.delivery; }
    OutputStatus state() const override { return path_.status; }
    std::string where() const override { return dotted(path_.own); }

private:
    const NetworkPath& path_;
    const NodeList& nodes_;
    const std::atomic<int>& tx_universe_;
    Delivery delivery_;
    DmxPacket dmx_{};  // its data field also holds the last frame sent
    bool resend_ = false;
};

// One E1.31 stream of the universe (sacn_universe_of), with its keep-alive,
// its end announced, and the universe discovery packet.
class SacnSink final : public DmxSink {
public:
    SacnSink(const NetworkPath& path, const std::atomic<int>& tx_universe, const OutputSettings& s);
    Protocol kind() const override { return Protocol::sacn; }
    void take(const SinkFrame& f) override;
    void resend() override { resend_ = true; }
    void apply(const OutputSettings& s) override {
        settings_ = s;
        if (stream_.started()) stream_.set_priority(s.sacn_priority);
    }
    void silence() override { end_stream(); }
    OutputStatus state() const override { return path_.status; }
    std::string where() const override { return std::to_string(universe()); }

    // Sends the terminate packets of a running stream (through the sockets
    // still open) and forgets it; the next frame starts it again.
    void end_stream();
    void send_discovery();

private:
    uint16_t universe() const;

    const NetworkPath& path_;
    const std::atomic<int>& tx_universe_;
    OutputSettings settings_;
    sacn::Stream stream_;
    sacn::DiscoveryPacket discovery_{};
    bool resend_ = false;
};

}  // namespace prismel::artnet
