#include "output/network_setup.h"

namespace prismel::artnet {

namespace {

// Interfaces that are down carry nothing; a loopback one reaches no node.
bool usable(const LocalAddress& r) { return r.up && !r.loopback && r.address.b[0] != 0; }

}  // namespace

AddressChoice choose_address(const std::vector<LocalAddress>& rows) {
    AddressChoice c;
    for (const LocalAddress& r : rows) {
        if (usable(r) && r.address.b[0] == 2) {
            c.own = r.address;
            c.mask = r.mask;
            c.if_index = r.if_index;
            return c;
        }
    }
    for (const LocalAddress& r : rows) {
        if (!usable(r) || r.address == kLoopback) continue;
        c.own = r.address;
        c.mask = r.mask;
        c.if_index = r.if_index;
        c.needs_alias = true;
        c.alias.if_index = r.if_index;
        c.alias.address = Ipv4{{2, r.address.b[1], r.address.b[2], r.address.b[3]}};
        c.alias.prefix = 8;
        c.alias.broadcast = directed_broadcast(c.alias.address, prefix_mask(8));
        return c;
    }
    for (const LocalAddress& r : rows) {
        if (r.address == kLoopback) {
            c.mask = r.mask;
            c.if_index = r.if_index;
        }
    }
    return c;
}

}  // namespace prismel::artnet
