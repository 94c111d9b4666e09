#include "output/artnet_packets.h"

#include <cstdio>
#include <cstring>

namespace prismel::artnet {

namespace {

void put_header(uint8_t* p, uint16_t opcode) {
    std::memcpy(p, kId, sizeof kId);
    p[8] = uint8_t(opcode & 0xFF);
    p[9] = uint8_t(opcode >> 8);
}

void put_text(uint8_t* field, size_t width, const char* text) {
    std::memset(field, 0, width);
    size_t n = std::strlen(text);
    std::memcpy(field, text, n < width ? n : width - 1);
}

}  // namespace

std::string dotted(const Ipv4& a) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%u.%u.%u.%u", a.b[0], a.b[1], a.b[2], a.b[3]);
    return buf;
}

Ipv4 directed_broadcast(const Ipv4& addr, const Ipv4& mask) {
    return Ipv4::from_value(addr.value() | ~mask.value());
}

Ipv4 prefix_mask(int prefix) {
    if (prefix <= 0) return {};
    if (prefix >= 32) return Ipv4::from_value(0xFFFFFFFFu);
    return Ipv4::from_value(~((1u << (32 - prefix)) - 1));
}

int mask_prefix(const Ipv4& mask) {
    int n = 0;
    for (uint32_t v = mask.value(); v & 0x80000000u; v <<= 1) ++n;
    return n;
}

void build_poll(PollPacket& p) {
    p.fill(0);
    put_header(p.data(), kOpPoll);
    p[10] = 0;
    p[11] = kProtocolVersion;
    p[12] = 2;  // TalkToMe: send ArtPollReply on change
    p[13] = 0;  // Priority
}

void build_dmx(DmxPacket& p) {
    p.fill(0);
    put_header(p.data(), kOpDmx);
    p[10] = 0;
    p[11] = kProtocolVersion;
    p[12] = 0;  // Sequence 0: sequencing off
    p[13] = 0;  // Physical
    p[16] = uint8_t(kDmxSlotCount >> 8);
    p[17] = uint8_t(kDmxSlotCount & 0xFF);
}

void set_dmx_universe(DmxPacket& p, int port_address) {
    p[14] = uint8_t(port_address & 0xFF);
    p[15] = uint8_t((port_address >> 8) & 0x7F);
}

void build_reply(ReplyPacket& p, const Ipv4& own) {
    p.fill(0);
    put_header(p.data(), kOpPollReply);
    std::memcpy(p.data() + reply::kIp, own.b.data(), 4);
    p[reply::kPort] = uint8_t(kUdpPort & 0xFF);
    p[reply::kPort + 1] = uint8_t(kUdpPort >> 8);
    p[reply::kOemHi] = uint8_t(reply::kOemUnregistered >> 8);
    p[reply::kOem] = uint8_t(reply::kOemUnregistered & 0xFF);
    put_text(p.data() + reply::kShortName, reply::kShortNameSize, kOwnShortName);
    put_text(p.data() + reply::kLongName, reply::kLongNameSize, kOwnLongName);
    p[reply::kStyle] = reply::kStyleController;
    set_reply_counter(p, 0);
}

void set_reply_counter(ReplyPacket& p, unsigned counter) {
    char text[reply::kNodeReportSize];
    std::snprintf(text, sizeof text, "#0001 [%04u] OK", counter % 10000);
    put_text(p.data() + reply::kNodeReport, reply::kNodeReportSize, text);
}

int datagram_opcode(const uint8_t* data, size_t n) {
    if (n < kHeaderSize || std::memcmp(data, kId, sizeof kId) != 0) return -1;
    return data[8] | data[9] << 8;
}

}  // namespace prismel::artnet
