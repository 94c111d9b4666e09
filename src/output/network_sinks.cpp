#include "output/network_sinks.h"

#include <cstring>

#include "output/sacn_packets.h"

namespace prismel::artnet {

ArtnetSink::ArtnetSink(const NetworkPath& path, const NodeList& nodes, const std::atomic<int>& tx_universe,
                       const OutputSettings& s)
    : path_(path), nodes_(nodes), tx_universe_(tx_universe), delivery_(s.delivery) {
    build_dmx(dmx_);
}

void ArtnetSink::take(const SinkFrame& f) {
    if (!path_.ready || !path_.artnet) return;
    const bool forced = f.number % kKeepAliveFrames == 0 || resend_;
    resend_ = false;
    if (!forced && std::memcmp(f.slots, dmx_data(dmx_), kDmxSlotCount) == 0) return;
    const int universe = tx_universe_.load(std::memory_order_relaxed) & 0x7FFF;
    set_dmx_universe(dmx_, universe);
    std::memcpy(dmx_data(dmx_), f.slots, kDmxSlotCount);
    if (delivery_ == Delivery::unicast) {
        const UnicastTargets targets = nodes_.unicast_targets(universe);
        for (int i = 0; i < targets.count; ++i)
            path_.artnet->send_to(targets.to[size_t(i)], kUdpPort, dmx_.data(), dmx_.size());
        if (targets.count > 0) return;
    }
    path_.artnet->send_to(path_.broadcast, kUdpPort, dmx_.data(), dmx_.size());
}

SacnSink::SacnSink(const NetworkPath& path, const std::atomic<int>& tx_universe, const OutputSettings& s)
    : path_(path), tx_universe_(tx_universe), settings_(s) {}

uint16_t SacnSink::universe() const {
    return uint16_t(sacn_universe_of(settings_, tx_universe_.load(std::memory_order_relaxed)));
}

void SacnSink::take(const SinkFrame& f) {
    if (!path_.ready || !path_.sacn) return;
    const bool forced = resend_;
    resend_ = false;
    const uint16_t u = universe();
    if (stream_.started() && stream_.universe() != u) end_stream();
    if (!stream_.started()) stream_.start(settings_.cid, u, settings_.sacn_priority);
    if (const sacn::DataPacket* p = stream_.frame(f.slots, forced))
        path_.sacn->send_to(sacn::multicast_group(u), sacn::kPort, p->data(), p->size());
}

// A receiver stops waiting for a stream that says it ended.
void SacnSink::end_stream() {
    if (!stream_.started()) return;
    if (path_.ready && path_.sacn) {
        const Ipv4 group = sacn::multicast_group(stream_.universe());
        for (int i = 0; i < sacn::Stream::kTerminatePackets; ++i) {
            const sacn::DataPacket& p = stream_.terminate_packet();
            path_.sacn->send_to(group, sacn::kPort, p.data(), p.size());
        }
    }
    stream_.stop();
}

void SacnSink::send_discovery() {
    if (!path_.ready || !path_.sacn) return;
    sacn::build_discovery(discovery_, settings_.cid, universe());
    path_.sacn->send_to(sacn::multicast_group(sacn::kDiscoveryUniverse), sacn::kPort, discovery_.data(),
                        discovery_.size());
}

}  // namespace prismel::artnet
