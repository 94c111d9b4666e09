// libFuzzer target: any datagram, of any length, through the receive handler
// and the sACN packet readers.
#include <cstring>

#include "output/artnet_receive.h"
#include "output/sacn_packets.h"

using namespace prismel::artnet;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static NodeList nodes;
    // Exactly the received bytes, so that a read past the end is caught.
    uint8_t* copy = new uint8_t[size ? size : 1];
    if (size) std::memcpy(copy, data, size);
    int tx = size ? data[0] : 0;
    handle_datagram(copy, size, ReceiveContext{nodes, tx, 5});
    prismel::sacn::Data d;
    if (prismel::sacn::parse_data(copy, size, d) && d.slots.size() + prismel::sacn::kDataSlotsOffset != size)
        __builtin_trap();
    prismel::sacn::Discovery u;
    if (prismel::sacn::parse_discovery(copy, size, u) && u.universes.size() > prismel::sacn::kDiscoveryPageUniverses)
        __builtin_trap();
    delete[] copy;
    if (nodes.count() > NodeList::kCapacity) __builtin_trap();
    for (const NodeEntry& e : nodes.entries()) {
        if (strnlen(e.short_name, sizeof e.short_name) == sizeof e.short_name ||
            strnlen(e.long_name, sizeof e.long_name) == sizeof e.long_name ||
            strnlen(e.node_report, sizeof e.node_report) == sizeof e.node_report)
            __builtin_trap();
    }
    if (nodes.count() == NodeList::kCapacity) nodes.clear();
    return 0;
}
