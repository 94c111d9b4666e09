#pragma once
// The interface the operator chose for the output, found among the local
// addresses by its name or by one of its IPv4 addresses. Nothing is added to
// it: it is used as it is, or the output waits for it.
#include <string>
#include <vector>

#include "output/net_seams.h"
#include "output/output_status.h"

namespace prismel::artnet {

struct InterfaceBinding {
    OutputStatus status = OutputStatus::no_interface;  // ok, no_interface or link_down
    std::string device;  // the interface name, without an address label
    unsigned if_index = 0;
    Ipv4 own;
    Ipv4 mask;
    friend bool operator==(const InterfaceBinding&, const InterfaceBinding&) = default;
};

// wanted: an interface name ("eth1"; an address label "eth1:0" counts as
// eth1) or a dotted IPv4 address of one. A name takes its first IPv4 address.
InterfaceBinding resolve_interface(const std::vector<LocalAddress>& rows, const std::string& wanted);

// True for a dotted IPv4 address "a.b.c.d" (each 0-255); out gets it.
bool parse_ipv4(const std::string& text, Ipv4& out);

// The interfaces the operator can choose from: each non-loopback interface
// with an IPv4 address once, with its first address, in the system's order.
struct InterfaceOption {
    std::string name;
    Ipv4 address;
    bool usable = false;  // up and carrying
};
std::vector<InterfaceOption> interface_options(const std::vector<LocalAddress>& rows);

}  // namespace prismel::artnet
