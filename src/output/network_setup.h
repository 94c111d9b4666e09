#pragma once
// Which local address the console speaks Art-Net from. Art-Net lives on
// 2.0.0.0/8: an address there is used as it is; otherwise the first usable
// interface gets an alias 2.b.c.d/8 with the last three octets of its own.
#include <vector>

#include "output/net_seams.h"

namespace prismel::artnet {

struct AddressChoice {
    Ipv4 own = kLoopback;
    Ipv4 mask = Ipv4{{255, 0, 0, 0}};
    unsigned if_index = 0;  // the interface of own
    bool needs_alias = false;
    AddedAddress alias;  // to add when needs_alias; own and mask then are the interface's
};

AddressChoice choose_address(const std::vector<LocalAddress>& rows);

}  // namespace prismel::artnet
