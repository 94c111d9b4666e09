#pragma once
// The Art-Net nodes that answered this console's polls. The output thread
// adds to the list, refreshes it and lets silent nodes age out; the node
// dialog and the play command read it and the scan button clears it, so every
// access goes through one lock. The list has a fixed size whatever arrives.
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

#include "output/artnet_protocol.h"

namespace prismel::artnet {

#pragma pack(push, 1)
// One node, filled from its ArtPollReply. SwIn and SwOut are kept as
// received; the sub-net and net they belong to follow the marked byte.
struct NodeEntry {
    uint8_t ip[4];  // dotted order
    uint16_t port;  // as received
    char short_name[18];
    char long_name[64];
    char node_report[64];
    uint8_t num_ports;  // NumPortsLo
    uint8_t port_types[4];
    uint8_t sw_in[4];
    uint8_t sw_out[4];
    uint8_t marked;  // 1 = takes this console's output or feeds the receive universe
    uint8_t net_switch;
    uint8_t sub_switch;
};
#pragma pack(pop)
static_assert(offsetof(NodeEntry, short_name) == 6 && offsetof(NodeEntry, long_name) == 24);
static_assert(offsetof(NodeEntry, node_report) == 88 && offsetof(NodeEntry, num_ports) == 152);
static_assert(offsetof(NodeEntry, sw_in) == 157 && offsetof(NodeEntry, marked) == 165);
static_assert(sizeof(NodeEntry) == 168);

constexpr uint8_t kPortInput = 0x40;   // PortTypes bit 6: the port feeds Art-Net
constexpr uint8_t kPortOutput = 0x80;  // PortTypes bit 7: the port outputs from Art-Net
constexpr uint8_t kPortProtocolMask = 0x3F;  // 0 = DMX512

// The 15-bit Art-Net port-address of a port whose SwIn or SwOut byte is sw.
int port_address(const NodeEntry& n, uint8_t sw);
// True when some DMX512 port of n outputs tx_universe or inputs rx_universe.
bool node_is_marked(const NodeEntry& n, int tx_universe, int rx_universe);
// True when some DMX512 output port of n takes the port-address universe:
// the node asked for it, and unicast ArtDmx goes to it.
bool node_wants(const NodeEntry& n, int universe);

constexpr int kNodeCapacity = 15;

// The nodes ArtDmx of one universe goes to by unicast.
struct UnicastTargets {
    std::array<Ipv4, kNodeCapacity> to{};
    int count = 0;
};

class NodeList {
public:
    static constexpr int kCapacity = kNodeCapacity;
    using Time = std::chrono::nanoseconds;
    enum class Added { yes, duplicate, full };

    // Appends e, seen at now, unless the list is full. A node of the same IP
    // already listed is refreshed instead: its entry replaced (the changed
    // flag set when it differs) and its age restarted. A node that wants
    // wanted_universe but finds the list full is remembered as unlisted.
    Added add(const NodeEntry& e, Time now = {}, int wanted_universe = -1);
    // Drops the nodes not heard from since now - max_age, and forgets an
    // unlisted node as old. True (and the changed flag set) when a node went.
    bool expire(Time now, Time max_age);
    // Empties the list (the scan button) and sets the changed flag.
    void clear();
    int count() const;
    // Copies entry i into out; false outside 0 .. count - 1.
    bool entry(int i, NodeEntry& out) const;
    std::vector<NodeEntry> entries() const;
    bool changed() const;
    // Returns the changed flag and clears it.
    bool take_changed();
    // The listed nodes that want universe, in list order. None while a node
    // that wants it could not be listed: it is reached only by broadcast.
    UnicastTargets unicast_targets(int universe) const;

private:
    mutable std::mutex mutex_;
    std::array<NodeEntry, kCapacity> entries_{};
    std::array<Time, kCapacity> seen_{};
    int count_ = 0;
    bool changed_ = false;
    bool unlisted_wanting_ = false;
    Time unlisted_seen_{};
};

}  // namespace prismel::artnet
