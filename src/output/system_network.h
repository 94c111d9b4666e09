#pragma once
// The pieces of the system network behind make_system_network(), each usable
// on its own.
#include <memory>
#include <string>
#include <vector>

#include "output/net_seams.h"

namespace prismel::artnet {

std::unique_ptr<UdpSocket> open_posix_udp_socket(const SocketSetup& setup, std::string& error);
// Every IPv4 address of every interface, in the system's order (getifaddrs).
std::vector<LocalAddress> read_local_addresses();
// Adds or removes an IPv4 address through rtnetlink (needs CAP_NET_ADMIN).
bool netlink_add_address(const AddedAddress& a, std::string& error);
bool netlink_remove_address(const AddedAddress& a, std::string& error);

}  // namespace prismel::artnet
