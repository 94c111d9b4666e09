#pragma once
// Art-Net constants shared by the packet builders, the receive handler and
// the thread. Multi-byte fields are least significant byte first, except the
// protocol version and the ArtDmx length, which Art-Net sends high byte first.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace prismel::artnet {

constexpr uint16_t kUdpPort = 6454;  // 0x1936
constexpr uint16_t kOpPoll = 0x2000;
constexpr uint16_t kOpPollReply = 0x2100;
constexpr uint16_t kOpDmx = 0x5000;
constexpr uint8_t kProtocolVersion = 14;

constexpr size_t kHeaderSize = 14;  // ID, OpCode, ProtVer: the shortest datagram looked at
constexpr size_t kPollSize = 14;
constexpr size_t kDmxSize = 530;
constexpr size_t kReplySize = 240;
constexpr size_t kReplyMinSize = 207;  // the shortest ArtPollReply Art-Net allows
constexpr size_t kReceiveBufferSize = 2048;
constexpr size_t kDmxDataOffset = 18;
constexpr int kDmxSlotCount = 512;

constexpr char kId[8] = {'A', 'r', 't', '-', 'N', 'e', 't', 0};

// The name this console gives itself in its ArtPollReply; a reply carrying
// it is this program's own (or another copy of it) and is not listed.
constexpr char kOwnShortName[] = "ORB_Application";
constexpr char kOwnLongName[] = "ORB_Application";

// ArtPollReply field offsets.
namespace reply {
constexpr size_t kIp = 10, kPort = 14, kVersInfoH = 16, kNetSwitch = 18, kSubSwitch = 19;
constexpr size_t kOemHi = 20, kOem = 21, kUbea = 22, kStatus1 = 23, kEstaMan = 24;
constexpr size_t kShortName = 26, kLongName = 44, kNodeReport = 108;
constexpr size_t kNumPortsHi = 172, kNumPortsLo = 173, kPortTypes = 174, kGoodInput = 178;
constexpr size_t kGoodOutput = 182, kSwIn = 186, kSwOut = 190, kStyle = 200, kMac = 201;
constexpr size_t kShortNameSize = 18, kLongNameSize = 64, kNodeReportSize = 64;
constexpr uint16_t kOemUnregistered = 0x00FF;
constexpr uint8_t kStyleController = 1;  // StController
}  // namespace reply

// An IPv4 address, bytes in dotted order.
struct Ipv4 {
    std::array<uint8_t, 4> b{};
    friend bool operator==(const Ipv4&, const Ipv4&) = default;
    uint32_t value() const { return uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3]; }
    static Ipv4 from_value(uint32_t v) { return {{uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)}}; }
};

constexpr Ipv4 kLoopback{{127, 0, 0, 1}};

std::string dotted(const Ipv4& a);
// The directed broadcast address of addr's subnet: addr | ~mask.
Ipv4 directed_broadcast(const Ipv4& addr, const Ipv4& mask);
// The mask of a prefix length 0-32.
Ipv4 prefix_mask(int prefix);
int mask_prefix(const Ipv4& mask);  // leading one bits

}  // namespace prismel::artnet
