#include "output/artnet_packets.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace prismel::artnet;

namespace {

void expect_header(const uint8_t* p, uint16_t opcode) {
    EXPECT_EQ(std::memcmp(p, "Art-Net\0", 8), 0);
    EXPECT_EQ(p[8], opcode & 0xFF);
    EXPECT_EQ(p[9], opcode >> 8);
}

std::string text_at(const uint8_t* p, size_t width) {
    return std::string(reinterpret_cast<const char*>(p), strnlen(reinterpret_cast<const char*>(p), width));
}

bool all_zero(const uint8_t* p, size_t from, size_t to) {
    for (size_t i = from; i < to; ++i)
        if (p[i]) return false;
    return true;
}

}  // namespace

TEST(ArtnetPackets, PollIsFourteenBytesAskingForRepliesOnChange) {
    PollPacket p;
    p.fill(0xEE);
    build_poll(p);
    const uint8_t expected[14] = {'A', 'r', 't', '-', 'N', 'e', 't', 0, 0x00, 0x20, 0, 14, 2, 0};
    EXPECT_EQ(std::memcmp(p.data(), expected, 14), 0);
}

TEST(ArtnetPackets, DmxHeaderLengthAndUniverse) {
    DmxPacket p;
    p.fill(0xEE);
    build_dmx(p);
    expect_header(p.data(), 0x5000);
    EXPECT_EQ(p[10], 0);
    EXPECT_EQ(p[11], 14);
    EXPECT_EQ(p[12], 0) << "sequence 0: sequencing off";
    EXPECT_EQ(p[13], 0);
    EXPECT_EQ(p[16], 2) << "length is high byte first";
    EXPECT_EQ(p[17], 0);
    EXPECT_TRUE(all_zero(p.data(), 18, 530));
    EXPECT_EQ(dmx_data(p), p.data() + 18);

    set_dmx_universe(p, 0x3A);
    EXPECT_EQ(p[14], 0x3A);
    EXPECT_EQ(p[15], 0);
    set_dmx_universe(p, 0x123);  // net 1, sub-net 2, universe 3
    EXPECT_EQ(p[14], 0x23);
    EXPECT_EQ(p[15], 0x01);
    set_dmx_universe(p, 0xFFFF);  // Net has 7 bits
    EXPECT_EQ(p[15], 0x7F);
}

TEST(ArtnetPackets, ReplyFieldsAtArtnetOffsets) {
    ReplyPacket p;
    p.fill(0xEE);
    build_reply(p, Ipv4{{2, 168, 1, 10}});
    const uint8_t* b = p.data();
    expect_header(b, 0x2100);
    EXPECT_EQ(b[10], 2);
    EXPECT_EQ(b[11], 168);
    EXPECT_EQ(b[12], 1);
    EXPECT_EQ(b[13], 10);
    EXPECT_EQ(b[14], 0x36) << "port 0x1936, low byte first";
    EXPECT_EQ(b[15], 0x19);
    EXPECT_TRUE(all_zero(b, 16, 20)) << "VersInfo, NetSwitch, SubSwitch";
    EXPECT_EQ(b[20], 0x00) << "OemHi";
    EXPECT_EQ(b[21], 0xFF) << "Oem: unregistered product";
    EXPECT_TRUE(all_zero(b, 22, 26)) << "UbeaVersion, Status1, EstaMan";
    EXPECT_EQ(text_at(b + 26, 18), "ORB_Application");
    EXPECT_TRUE(all_zero(b, 26 + 15, 44));
    EXPECT_EQ(text_at(b + 44, 64), "ORB_Application");
    EXPECT_TRUE(all_zero(b, 44 + 15, 108));
    EXPECT_EQ(text_at(b + 108, 64), "#0001 [0000] OK");
    EXPECT_TRUE(all_zero(b, 108 + 15, 172));
    EXPECT_TRUE(all_zero(b, 172, 200)) << "no ports";
    EXPECT_EQ(b[200], 1) << "Style: controller";
    EXPECT_TRUE(all_zero(b, 201, 240)) << "MAC, BindIp, BindIndex, Status2, filler";
}

TEST(ArtnetPackets, ReplyCounterKeepsTheNodeReportForm) {
    ReplyPacket p;
    build_reply(p, kLoopback);
    set_reply_counter(p, 42);
    EXPECT_EQ(text_at(p.data() + 108, 64), "#0001 [0042] OK");
    set_reply_counter(p, 12345);
    EXPECT_EQ(text_at(p.data() + 108, 64), "#0001 [2345] OK");
    EXPECT_TRUE(all_zero(p.data(), 108 + 15, 172));
}

TEST(ArtnetPackets, OpcodeOnlyForArtnetDatagramsOfAFullHeader) {
    PollPacket p;
    build_poll(p);
    EXPECT_EQ(datagram_opcode(p.data(), 14), 0x2000);
    EXPECT_EQ(datagram_opcode(p.data(), 13), -1);
    p[6] = 'T';
    EXPECT_EQ(datagram_opcode(p.data(), 14), -1);
    p[6] = 't';
    p[7] = ' ';
    EXPECT_EQ(datagram_opcode(p.data(), 14), -1) << "the ID includes its NUL";
}

TEST(ArtnetAddresses, BroadcastMaskAndText) {
    EXPECT_EQ(dotted(directed_broadcast(Ipv4{{2, 1, 2, 3}}, prefix_mask(8))), "2.255.255.255");
    EXPECT_EQ(dotted(directed_broadcast(Ipv4{{192, 168, 1, 10}}, prefix_mask(24))), "192.168.1.255");
    EXPECT_EQ(dotted(prefix_mask(0)), "0.0.0.0");
    EXPECT_EQ(dotted(prefix_mask(32)), "255.255.255.255");
    EXPECT_EQ(mask_prefix(prefix_mask(20)), 20);
    EXPECT_EQ(mask_prefix(prefix_mask(32)), 32);
}
