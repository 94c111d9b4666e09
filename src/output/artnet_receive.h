#pragma once
// What the output thread does with one received datagram. Only the bytes that
// were received are looked at, whatever the datagram claims.
#include <cstddef>
#include <cstdint>

#include "output/artnet_nodes.h"

namespace prismel::artnet {

struct ReceiveContext {
    NodeList& nodes;
    int tx_universe;
    int rx_universe;
    NodeList::Time now{};  // when the datagram was read: a listed node's age starts again
};

enum class Received {
    ignored,     // too short, not Art-Net, an OpCode not handled, or a reply not listed
    poll,        // an ArtPoll: the caller answers with its reply
    node_added,  // an ArtPollReply from a node not listed before (a listed one is refreshed)
};

Received handle_datagram(const uint8_t* data, size_t n, const ReceiveContext& ctx);

// Fills e from an ArtPollReply of n bytes (at least kReplyMinSize); texts are
// cut to their field and always NUL-terminated. Does not mark the entry.
bool parse_poll_reply(const uint8_t* data, size_t n, NodeEntry& e);

}  // namespace prismel::artnet
