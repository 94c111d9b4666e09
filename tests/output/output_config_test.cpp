#include "output/output_config.h"
#include "output/output_status.h"

#include <gtest/gtest.h>

using namespace prismel::artnet;

TEST(OutputConfig, WordsAreReadWithoutCaseAndBlanks) {
    Delivery d = Delivery::broadcast;
    EXPECT_TRUE(parse_delivery(" Unicast ", d));
    EXPECT_EQ(d, Delivery::unicast);
    EXPECT_FALSE(parse_delivery("multicast", d));
    EXPECT_EQ(d, Delivery::unicast) << "unchanged";
    Protocol p = Protocol::artnet;
    for (auto [text, want] : {std::pair{"sACN", Protocol::sacn}, {"both", Protocol::both}, {"ARTNET", Protocol::artnet}}) {
        EXPECT_TRUE(parse_protocol(text, p)) << text;
        EXPECT_EQ(p, want) << text;
        EXPECT_TRUE(parse_protocol(protocol_text(want), p));
    }
    EXPECT_FALSE(parse_protocol("", p));
    EXPECT_STREQ(delivery_text(Delivery::broadcast), "broadcast");
}

TEST(OutputConfig, OutputsAreAListOfWords) {
    const Protocol usbpro_ola = Protocol::usbpro | Protocol::ola;
    struct Row {
        const char* text;
        Protocol set;
        const char* written;
    };
    for (Row r : {Row{"artnet,sacn", Protocol::both, "both"}, {" usbpro ", Protocol::usbpro, "usbpro"},
                  {"OLA, artnet", Protocol::artnet | Protocol::ola, "artnet,ola"},
                  {"both,usbpro,ola", Protocol::both | usbpro_ola, "artnet,sacn,usbpro,ola"},
                  {"ola,ola", Protocol::ola, "ola"}}) {
        Protocol p = Protocol::artnet;
        EXPECT_TRUE(parse_protocol(r.text, p)) << r.text;
        EXPECT_EQ(p, r.set) << r.text;
        EXPECT_EQ(protocol_text(p), r.written);
    }
    for (const char* bad : {"artnet,", ",sacn", "artnet;sacn", "usb", "artnet,,ola", " , "}) {
        Protocol p = Protocol::sacn;
        EXPECT_FALSE(parse_protocol(bad, p)) << bad;
        EXPECT_EQ(p, Protocol::sacn) << "unchanged";
    }
    EXPECT_TRUE(sends_artnet(Protocol::both | Protocol::usbpro));
    EXPECT_FALSE(uses_network(usbpro_ola));
}

TEST(OutputConfig, TheStatusLineShowsTheWorstOutput) {
    using S = OutputStatus;
    struct Row {
        S a, b, shown;
    };
    for (Row r : {Row{S::ok, S::no_device, S::no_device}, {S::no_ola, S::ok, S::no_ola},
                  {S::link_down, S::no_ola, S::no_ola}, {S::no_device, S::no_socket, S::no_socket},
                  {S::no_device, S::no_ola, S::no_device}}) {
        EXPECT_EQ(worse(r.a, r.b), r.shown);
    }
    EXPECT_STREQ(dmx_status_text(S::no_device), "DMX:NoDev");
    EXPECT_STREQ(dmx_status_text(S::no_ola), "DMX:NoOLA");
}

TEST(OutputConfig, SacnUniverseFollowsTheArtnetOneUnlessSet) {
    OutputSettings s;
    EXPECT_EQ(sacn_universe_of(s, 0), 1);
    EXPECT_EQ(sacn_universe_of(s, 0x13A), 0x13B);
    EXPECT_EQ(sacn_universe_of(s, 0x7FFF), 0x8000);
    s.sacn_universe = 900;
    EXPECT_EQ(sacn_universe_of(s, 0), 900);
    s.sacn_universe = 70000;
    EXPECT_EQ(sacn_universe_of(s, 0), 63999);
}

TEST(OutputConfig, CidTextRoundTripsAndBadTextIsRefused) {
    Cid c = random_cid();
    EXPECT_EQ(c[6] >> 4, 4);
    EXPECT_EQ(c[8] & 0xC0, 0x80);
    EXPECT_NE(c, random_cid());
    const std::string text = cid_text(c);
    ASSERT_EQ(text.size(), 36u);
    Cid back{};
    ASSERT_TRUE(parse_cid(text, back));
    EXPECT_EQ(back, c);
    ASSERT_TRUE(parse_cid("0123456789ABCDEFfedcba9876543210", back));
    EXPECT_EQ(cid_text(back), "01234567-89ab-cdef-fedc-ba9876543210");
    for (const char* bad : {"", "0123", "0123456789abcdef0123456789abcdeg", "01234567-89ab-cdef-fedc_ba9876543210",
                            "00000000-0000-0000-0000-000000000000", "0123456789abcdef0123456789abcdef00"}) {
        Cid keep = back;
        EXPECT_FALSE(parse_cid(bad, keep)) << bad;
        EXPECT_EQ(keep, back);
    }
}
