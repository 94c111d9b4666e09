#include "output/sacn_packets.h"

#include <gtest/gtest.h>

#include <vector>

using namespace prismel;
using namespace prismel::sacn;

namespace {

const artnet::Cid kCid = {0x01, 0x23, 0x45, 0x67, 0x89, 0xab, 0xcd, 0xef,
                          0xfe, 0xdc, 0xba, 0x98, 0x76, 0x54, 0x32, 0x10};

std::vector<uint8_t> bytes(const uint8_t* p, size_t from, size_t to) { return {p + from, p + to}; }

}  // namespace

TEST(SacnPackets, DataPacketFollowsTheStandardsLayout) {
    DataPacket p;
    build_data(p, kCid, 0x1234);
    set_data_sequence(p, 0xA5);
    data_slots(p)[0] = 0x11;
    data_slots(p)[511] = 0xEE;
    const std::vector<uint8_t> root = {
        0x00, 0x10, 0x00, 0x00,                                            // preamble, post-amble
        'A', 'S', 'C', '-', 'E', '1', '.', '1', '7', 0x00, 0x00, 0x00,     // ACN packet identifier
        0x72, 0x6E,                                                        // flags 7, length 622
        0x00, 0x00, 0x00, 0x04,                                            // VECTOR_ROOT_E131_DATA
    };
    EXPECT_EQ(bytes(p.data(), 0, 22), root);
    EXPECT_EQ(bytes(p.data(), 22, 38), std::vector<uint8_t>(kCid.begin(), kCid.end()));
    const std::vector<uint8_t> framing = {0x72, 0x58, 0x00, 0x00, 0x00, 0x02};  // length 600, E131_DATA_PACKET
    EXPECT_EQ(bytes(p.data(), 38, 44), framing);
    std::vector<uint8_t> name(64, 0);
    for (int i = 0; i < 7; ++i) name[i] = uint8_t("Prismel"[i]);
    EXPECT_EQ(bytes(p.data(), 44, 108), name);
    const std::vector<uint8_t> framing_tail = {
        100,         // priority
        0x00, 0x00,  // synchronization address: none
        0xA5,        // sequence number
        0x00,        // options
        0x12, 0x34,  // universe
    };
    EXPECT_EQ(bytes(p.data(), 108, 115), framing_tail);
    const std::vector<uint8_t> dmp = {
        0x72, 0x0B,  // flags 7, length 523
        0x02,        // VECTOR_DMP_SET_PROPERTY
        0xA1,        // address and data type
        0x00, 0x00,  // first property address
        0x00, 0x01,  // address increment
        0x02, 0x01,  // property value count: START code and 512 slots
        0x00,        // START code
    };
    EXPECT_EQ(bytes(p.data(), 115, 126), dmp);
    EXPECT_EQ(p.size(), 638u);
    EXPECT_EQ(p[126], 0x11);
    EXPECT_EQ(p[637], 0xEE);

    set_data_options(p, kOptionTerminated);
    EXPECT_EQ(p[112], 0x40);
    set_data_universe(p, 63999);
    EXPECT_EQ(p[113], 0xF9);
    EXPECT_EQ(p[114], 0xFF);
    // A hot backup's source, under its primary's 100.
    build_data(p, kCid, 1, 99);
    EXPECT_EQ(p[108], 99);
}

TEST(SacnPackets, DiscoveryPacketListsTheUniverses) {
    const std::vector<uint8_t> p = build_discovery(kCid, {1, 0x0203});
    ASSERT_EQ(p.size(), 124u);
    EXPECT_EQ(bytes(p.data(), 16, 22), (std::vector<uint8_t>{0x70, 0x6C, 0x00, 0x00, 0x00, 0x08}));
    EXPECT_EQ(bytes(p.data(), 38, 44), (std::vector<uint8_t>{0x70, 0x56, 0x00, 0x00, 0x00, 0x02}));
    EXPECT_EQ(p[44], 'P');
    EXPECT_EQ(bytes(p.data(), 108, 124),
              (std::vector<uint8_t>{0, 0, 0, 0,                 // reserved
                                    0x70, 0x0C, 0, 0, 0, 0x01,  // length 12, UNIVERSE_LIST
                                    0, 0,                       // page 0 of 0
                                    0x00, 0x01, 0x02, 0x03}));
    Discovery d;
    ASSERT_TRUE(parse_discovery(p.data(), p.size(), d));
    EXPECT_EQ(d.universes, (std::vector<uint16_t>{1, 0x0203}));
    EXPECT_EQ(d.source_name, "Prismel");
    EXPECT_EQ(d.cid, kCid);
}

TEST(SacnPackets, MulticastGroupOfAUniverse) {
    EXPECT_EQ(artnet::dotted(multicast_group(1)), "239.255.0.1");
    EXPECT_EQ(artnet::dotted(multicast_group(0x1234)), "239.255.18.52");
    EXPECT_EQ(artnet::dotted(multicast_group(kDiscoveryUniverse)), "239.255.250.214");
}

TEST(SacnPackets, DataParsedBackAndDamagedPacketsRefused) {
    DataPacket p;
    build_data(p, kCid, 7);
    set_data_sequence(p, 9);
    data_slots(p)[3] = 42;
    Data d;
    ASSERT_TRUE(parse_data(p.data(), p.size(), d));
    EXPECT_EQ(d.cid, kCid);
    EXPECT_EQ(d.source_name, "Prismel");
    EXPECT_EQ(d.priority, 100);
    EXPECT_EQ(d.sequence, 9);
    EXPECT_EQ(d.universe, 7);
    ASSERT_EQ(d.slots.size(), 512u);
    EXPECT_EQ(d.slots[3], 42);

    struct Damage {
        const char* what;
        size_t at;
        uint8_t value;
    };
    for (const Damage& x : {Damage{"preamble", 1, 0x11}, Damage{"identifier", 4, 'a'}, Damage{"root length", 17, 0x6F},
                            Damage{"root vector", 21, 0x08}, Damage{"framing length", 39, 0x57},
                            Damage{"framing vector", 43, 0x01}, Damage{"dmp vector", 117, 0x01},
                            Damage{"address type", 118, 0xA2}, Damage{"value count", 124, 0x00}}) {
        DataPacket bad = p;
        bad[x.at] = x.value;
        EXPECT_FALSE(parse_data(bad.data(), bad.size(), d)) << x.what;
    }
    EXPECT_FALSE(parse_data(p.data(), 125, d)) << "shorter than the header";
    EXPECT_FALSE(parse_data(p.data(), 637, d)) << "lengths no longer match";

    std::vector<uint8_t> name_without_end(p.begin(), p.end());
    std::fill(name_without_end.begin() + 44, name_without_end.begin() + 108, 'N');
    ASSERT_TRUE(parse_data(name_without_end.data(), name_without_end.size(), d));
    EXPECT_EQ(d.source_name, std::string(64, 'N'));
}
