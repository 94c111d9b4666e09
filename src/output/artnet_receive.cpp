#include "output/artnet_receive.h"

#include <cstring>

#include "output/artnet_packets.h"

namespace prismel::artnet {

namespace {

// Copies a text field of the packet, stopping at its NUL or its width, and
// always leaves the destination NUL-terminated.
void copy_text(char* dst, size_t dst_size, const uint8_t* src, size_t width) {
    size_t n = 0;
    size_t limit = width < dst_size - 1 ? width : dst_size - 1;
    while (n < limit && src[n] != 0) {
        dst[n] = char(src[n]);
        ++n;
    }
    std::memset(dst + n, 0, dst_size - n);
}

bool is_own_reply(const NodeEntry& e) { return std::strcmp(e.short_name, kOwnShortName) == 0; }

}  // namespace

bool parse_poll_reply(const uint8_t* d, size_t n, NodeEntry& e) {
    if (n < kReplyMinSize || datagram_opcode(d, n) != kOpPollReply) return false;
    std::memset(&e, 0, sizeof e);
    std::memcpy(e.ip, d + reply::kIp, 4);
    e.port = uint16_t(d[reply::kPort] | d[reply::kPort + 1] << 8);
    copy_text(e.short_name, sizeof e.short_name, d + reply::kShortName, reply::kShortNameSize);
    copy_text(e.long_name, sizeof e.long_name, d + reply::kLongName, reply::kLongNameSize);
    copy_text(e.node_report, sizeof e.node_report, d + reply::kNodeReport, reply::kNodeReportSize);
    e.num_ports = d[reply::kNumPortsLo];
    std::memcpy(e.port_types, d + reply::kPortTypes, 4);
    std::memcpy(e.sw_in, d + reply::kSwIn, 4);
    std::memcpy(e.sw_out, d + reply::kSwOut, 4);
    e.net_switch = d[reply::kNetSwitch];
    e.sub_switch = d[reply::kSubSwitch];
    return true;
}

Received handle_datagram(const uint8_t* data, size_t n, const ReceiveContext& ctx) {
    switch (datagram_opcode(data, n)) {
    case kOpPoll:
        return Received::poll;
    case kOpPollReply: {
        NodeEntry e;
        if (!parse_poll_reply(data, n, e) || is_own_reply(e)) return Received::ignored;
        e.marked = node_is_marked(e, ctx.tx_universe, ctx.rx_universe) ? 1 : 0;
        const NodeList::Added added = ctx.nodes.add(e, ctx.now, ctx.tx_universe);
        return added == NodeList::Added::yes ? Received::node_added : Received::ignored;
    }
    default:
        return Received::ignored;
    }
}

}  // namespace prismel::artnet
