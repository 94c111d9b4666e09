#pragma once
// Where the remote listens and what the operator is told about it. It
// listens on the lighting interface when the output names one (so the page
// is not offered on the house network), otherwise on every address.
#include <string>
#include <vector>

#include "output/net_seams.h"

namespace prismel::web {

struct ListenAddress {
    bool found = true;       // false: the named interface has no IPv4 address now
    bool any = true;         // every address
    artnet::Ipv4 address{};  // when not any
};

ListenAddress web_listen_address(const std::vector<artnet::LocalAddress>& rows, const std::string& interface);

// What the message line and the node dialog say of a running remote (CP932):
// its port and PIN, and the address to open where it listens on one only.
std::string remote_notice_text(int port, const std::string& pin, const ListenAddress& where);

// The notice of the remote running in this program, empty while none runs.
// Read by the node dialog on the window thread.
const std::string& remote_notice();
void set_remote_notice(std::string text);

}  // namespace prismel::web
