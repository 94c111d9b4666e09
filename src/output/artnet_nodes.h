#pragma once
// The Art-Net nodes that answered this console's polls. The output thread
// adds to the list; the node dialog and the play command read it and the
// scan button clears it, so every access goes through one lock.
#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

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

class NodeList {
public:
    static constexpr int kCapacity = 15;
    enum class Added { yes, duplicate, full };

    // Appends e unless a node of the same IP is listed or the list is full;
    // sets the changed flag when it appends.
    Added add(const NodeEntry& e);
    // Empties the list (the scan button) and sets the changed flag.
    void clear();
    int count() const;
    // Copies entry i into out; false outside 0 .. count - 1.
    bool entry(int i, NodeEntry& out) const;
    std::vector<NodeEntry> entries() const;
    bool changed() const;
    // Returns the changed flag and clears it.
    bool take_changed();

private:
    mutable std::mutex mutex_;
    std::array<NodeEntry, kCapacity> entries_{};
    int count_ = 0;
    bool changed_ = false;
};

}  // namespace prismel::artnet
