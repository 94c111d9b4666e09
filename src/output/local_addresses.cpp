#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <cstring>

#include "output/system_network.h"

namespace prismel::artnet {

namespace {

Ipv4 ipv4_of(const sockaddr* sa) {
    Ipv4 a;
    if (sa && sa->sa_family == AF_INET) {
        std::memcpy(a.b.data(), &reinterpret_cast<const sockaddr_in*>(sa)->sin_addr, 4);
    }
    return a;
}

// An address label such as "eth0:1" belongs to the interface "eth0".
unsigned index_of(const char* name) {
    std::string base(name);
    if (auto colon = base.find(':'); colon != std::string::npos) base.resize(colon);
    return if_nametoindex(base.c_str());
}

}  // namespace

std::vector<LocalAddress> read_local_addresses() {
    std::vector<LocalAddress> rows;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return rows;
    for (ifaddrs* i = list; i; i = i->ifa_next) {
        if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET) continue;
        LocalAddress row;
        row.address = ipv4_of(i->ifa_addr);
        row.mask = ipv4_of(i->ifa_netmask);
        row.if_name = i->ifa_name ? i->ifa_name : "";
        row.if_index = i->ifa_name ? index_of(i->ifa_name) : 0;
        row.up = (i->ifa_flags & IFF_UP) != 0;
        row.running = (i->ifa_flags & IFF_RUNNING) != 0;
        row.loopback = (i->ifa_flags & IFF_LOOPBACK) != 0;
        rows.push_back(row);
    }
    freeifaddrs(list);
    return rows;
}

}  // namespace prismel::artnet
