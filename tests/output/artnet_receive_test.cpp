#include "output/artnet_receive.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "output/artnet_packets.h"

using namespace prismel::artnet;

namespace {

struct Port {
    uint8_t type, sw_in, sw_out;
};

// An ArtPollReply as a node sends it.
std::vector<uint8_t> node_reply(Ipv4 ip, const char* short_name, std::vector<Port> ports = {},
                                uint8_t net = 0, uint8_t sub = 0, size_t size = 239) {
    std::vector<uint8_t> d(size < 239 ? 239 : size, 0);
    std::memcpy(d.data(), "Art-Net", 8);
    d[8] = 0x00;
    d[9] = 0x21;
    std::memcpy(&d[10], ip.b.data(), 4);
    d[14] = 0x36;
    d[15] = 0x19;
    d[18] = net;
    d[19] = sub;
    std::strncpy(reinterpret_cast<char*>(&d[26]), short_name, 18);
    std::strncpy(reinterpret_cast<char*>(&d[44]), "Long name", 64);
    std::strncpy(reinterpret_cast<char*>(&d[108]), "#0001 [0001] ready", 64);
    d[173] = uint8_t(ports.size());
    for (size_t i = 0; i < ports.size() && i < 4; ++i) {
        d[174 + i] = ports[i].type;
        d[186 + i] = ports[i].sw_in;
        d[190 + i] = ports[i].sw_out;
    }
    d.resize(size);
    return d;
}

Received feed(NodeList& nodes, const std::vector<uint8_t>& d, int tx = 0, int rx = 5) {
    return handle_datagram(d.data(), d.size(), ReceiveContext{nodes, tx, rx});
}

NodeEntry only_node(const NodeList& nodes) {
    NodeEntry e{};
    EXPECT_EQ(nodes.count(), 1);
    nodes.entry(0, e);
    return e;
}

}  // namespace

TEST(ArtnetReceive, PollsAreAnsweredWhateverFollowsTheHeader) {
    NodeList nodes;
    PollPacket p;
    build_poll(p);
    EXPECT_EQ(handle_datagram(p.data(), p.size(), {nodes, 0, 5}), Received::poll);
    std::vector<uint8_t> longer(p.begin(), p.end());
    longer.resize(22, 0xAA);
    EXPECT_EQ(feed(nodes, longer), Received::poll);
    EXPECT_EQ(nodes.count(), 0);
}

TEST(ArtnetReceive, ShortForeignAndUnhandledDatagramsAreIgnored) {
    NodeList nodes;
    PollPacket p;
    build_poll(p);
    EXPECT_EQ(handle_datagram(p.data(), 13, {nodes, 0, 5}), Received::ignored);
    EXPECT_EQ(handle_datagram(p.data(), 0, {nodes, 0, 5}), Received::ignored);
    p[0] = 'a';
    EXPECT_EQ(handle_datagram(p.data(), 14, {nodes, 0, 5}), Received::ignored);
    DmxPacket dmx;
    build_dmx(dmx);
    EXPECT_EQ(handle_datagram(dmx.data(), dmx.size(), {nodes, 0, 5}), Received::ignored);
}

TEST(ArtnetReceive, ReplyShorterThanArtnetMinimumIsIgnored) {
    NodeList nodes;
    EXPECT_EQ(feed(nodes, node_reply({{2, 0, 0, 9}}, "Node", {}, 0, 0, 206)), Received::ignored);
    EXPECT_EQ(nodes.count(), 0);
    EXPECT_EQ(feed(nodes, node_reply({{2, 0, 0, 9}}, "Node", {}, 0, 0, 207)), Received::node_added);
    EXPECT_EQ(nodes.count(), 1);
}

TEST(ArtnetReceive, NodeEntryFilledFromTheReply) {
    NodeList nodes;
    auto d = node_reply({{2, 0, 0, 2}}, "OLA", {{0x80, 0, 1}, {0x45, 2, 0}});
    EXPECT_EQ(feed(nodes, d), Received::node_added);
    NodeEntry e = only_node(nodes);
    EXPECT_EQ(std::memcmp(e.ip, "\x02\x00\x00\x02", 4), 0);
    EXPECT_EQ(e.port, 6454);
    EXPECT_STREQ(e.short_name, "OLA");
    EXPECT_STREQ(e.long_name, "Long name");
    EXPECT_STREQ(e.node_report, "#0001 [0001] ready");
    EXPECT_EQ(e.num_ports, 2);
    EXPECT_EQ(e.port_types[0], 0x80);
    EXPECT_EQ(e.port_types[1], 0x45);
    EXPECT_EQ(e.sw_out[0], 1);
    EXPECT_EQ(e.sw_in[1], 2);
    EXPECT_EQ(e.marked, 0);
    EXPECT_TRUE(nodes.take_changed());
    EXPECT_FALSE(nodes.take_changed());
}

TEST(ArtnetReceive, TextsWithoutTerminatorAreCutToTheirField) {
    NodeList nodes;
    auto d = node_reply({{2, 0, 0, 3}}, "");
    std::memset(&d[26], 'S', 18);
    std::memset(&d[44], 'L', 64);
    std::memset(&d[108], 'R', 64);
    ASSERT_EQ(feed(nodes, d), Received::node_added);
    NodeEntry e = only_node(nodes);
    EXPECT_EQ(std::strlen(e.short_name), 17u);
    EXPECT_EQ(std::strlen(e.long_name), 63u);
    EXPECT_EQ(std::strlen(e.node_report), 63u);
    EXPECT_EQ(e.num_ports, 0) << "the texts do not run into the next field";
}

TEST(ArtnetReceive, OwnRepliesDuplicatesAndTheSixteenthNodeAreNotListed) {
    NodeList nodes;
    ReplyPacket own;
    build_reply(own, Ipv4{{2, 0, 0, 1}});
    EXPECT_EQ(handle_datagram(own.data(), own.size(), {nodes, 0, 5}), Received::ignored);
    EXPECT_EQ(feed(nodes, node_reply({{2, 0, 0, 7}}, "ORB_Application")), Received::ignored)
        << "another copy of this console";

    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(feed(nodes, node_reply({{2, 0, 1, uint8_t(i)}}, "Node")), Received::node_added);
    }
    nodes.take_changed();
    EXPECT_EQ(feed(nodes, node_reply({{2, 0, 1, 4}}, "Node")), Received::ignored);
    EXPECT_FALSE(nodes.take_changed()) << "the same answer again changes nothing";
    EXPECT_EQ(feed(nodes, node_reply({{2, 0, 1, 3}}, "Again")), Received::ignored);
    EXPECT_TRUE(nodes.take_changed());
    EXPECT_EQ(feed(nodes, node_reply({{2, 0, 1, 99}}, "Sixteenth")), Received::ignored);
    EXPECT_EQ(nodes.count(), 15);
    NodeEntry e{};
    ASSERT_TRUE(nodes.entry(3, e));
    EXPECT_STREQ(e.short_name, "Again") << "a second answer refreshes the entry in its place";
    EXPECT_FALSE(nodes.entry(15, e));
    EXPECT_FALSE(nodes.entry(-1, e));

    nodes.clear();
    EXPECT_EQ(nodes.count(), 0);
    EXPECT_EQ(feed(nodes, node_reply({{2, 0, 1, 3}}, "Again")), Received::node_added);
}

TEST(ArtnetReceive, MarkingComparesTheArtnetPortAddress) {
    struct Case {
        const char* what;
        Port port;
        uint8_t net, sub;
        int tx, rx;
        bool marked;
    };
    const Case cases[] = {
        {"output on universe 0", {0x80, 0, 0}, 0, 0, 0, 5, true},
        {"output of another universe", {0x80, 0, 1}, 0, 0, 0, 5, false},
        {"sub-net from SubSwitch", {0x80, 0, 0x0A}, 0, 3, 0x3A, 5, true},
        {"high nibble of SwOut is not the sub-net", {0x80, 0, 0x3A}, 0, 0, 0x3A, 5, false},
        {"net counts too", {0x80, 0, 0x0A}, 1, 3, 0x3A, 5, false},
        {"net and sub-net", {0x80, 0, 0x0A}, 1, 3, 0x13A, 5, true},
        {"input feeding the receive universe", {0x40, 5, 0}, 0, 0, 0, 5, true},
        {"input of another universe", {0x40, 4, 0}, 0, 0, 4, 5, false},
        {"SwOut without the output bit", {0x40, 1, 0}, 0, 0, 0, 5, false},
        {"not DMX512", {0x85, 0, 0}, 0, 0, 0, 5, false},
    };
    for (const Case& c : cases) {
        NodeList nodes;
        ASSERT_EQ(feed(nodes, node_reply({{2, 0, 0, 2}}, "N", {c.port}, c.net, c.sub), c.tx, c.rx),
                  Received::node_added);
        EXPECT_EQ(only_node(nodes).marked, c.marked ? 1 : 0) << c.what;
    }

    NodeList nodes;  // any one of four ports is enough
    feed(nodes, node_reply({{2, 0, 0, 2}}, "N", {{0x80, 0, 1}, {0x80, 0, 2}, {0, 0, 0}, {0x80, 0, 3}}), 3);
    EXPECT_EQ(only_node(nodes).marked, 1);
}

namespace {

std::vector<uint8_t> output_node(uint8_t last, uint8_t sw_out) {
    return node_reply({{2, 0, 0, last}}, "Out", {{0x80, 0, sw_out}});
}

Received feed_at(NodeList& nodes, const std::vector<uint8_t>& d, int tx, std::chrono::seconds at) {
    return handle_datagram(d.data(), d.size(), ReceiveContext{nodes, tx, 5, at});
}

std::vector<std::string> targets(const NodeList& nodes, int universe) {
    std::vector<std::string> out;
    UnicastTargets t = nodes.unicast_targets(universe);
    for (int i = 0; i < t.count; ++i) out.push_back(dotted(t.to[size_t(i)]));
    return out;
}

}  // namespace

TEST(ArtnetNodes, UnicastGoesToTheNodesWhoseOutputPortTakesTheUniverse) {
    using namespace std::chrono_literals;
    NodeList nodes;
    feed_at(nodes, output_node(2, 1), 1, 0s);
    feed_at(nodes, node_reply({{2, 0, 0, 3}}, "In", {{0x40, 1, 0}}), 1, 0s);
    feed_at(nodes, node_reply({{2, 0, 0, 4}}, "Art", {{0x85, 0, 1}}), 1, 0s);
    feed_at(nodes, node_reply({{2, 0, 0, 5}}, "Two", {{0x80, 0, 0}, {0x80, 0, 1}}), 1, 0s);
    EXPECT_EQ(targets(nodes, 1), (std::vector<std::string>{"2.0.0.2", "2.0.0.5"}));
    EXPECT_EQ(targets(nodes, 0), (std::vector<std::string>{"2.0.0.5"}));
    EXPECT_TRUE(targets(nodes, 2).empty());
    feed_at(nodes, output_node(2, 2), 1, 1s);  // the node was patched to another universe
    EXPECT_EQ(targets(nodes, 2), (std::vector<std::string>{"2.0.0.2"}));
}

TEST(ArtnetNodes, SilentNodesAgeOutAndAnswersKeepThemListed) {
    using namespace std::chrono_literals;
    NodeList nodes;
    feed_at(nodes, output_node(2, 0), 0, 0s);
    feed_at(nodes, output_node(3, 0), 0, 0s);
    feed_at(nodes, output_node(2, 0), 0, 4s);
    nodes.take_changed();
    EXPECT_FALSE(nodes.expire(6s, 6s));
    EXPECT_TRUE(nodes.expire(7s, 6s));
    EXPECT_TRUE(nodes.take_changed());
    EXPECT_EQ(targets(nodes, 0), (std::vector<std::string>{"2.0.0.2"}));
    EXPECT_TRUE(nodes.expire(11s, 6s));
    EXPECT_EQ(nodes.count(), 0);
    EXPECT_TRUE(targets(nodes, 0).empty()) << "the last one gone: broadcast again";
}

TEST(ArtnetNodes, AWantingNodeThatFindsTheListFullTurnsUnicastToBroadcast) {
    using namespace std::chrono_literals;
    NodeList nodes;
    feed_at(nodes, output_node(1, 0), 0, 0s);
    for (int i = 0; i < 14; ++i) feed_at(nodes, node_reply({{2, 0, 1, uint8_t(i)}}, "Other", {{0x80, 0, 9}}), 0, 0s);
    EXPECT_EQ(targets(nodes, 0).size(), 1u);
    feed_at(nodes, node_reply({{2, 0, 2, 1}}, "Not this", {{0x80, 0, 9}}), 0, 1s);
    EXPECT_EQ(targets(nodes, 0).size(), 1u) << "an unlisted node that does not want it changes nothing";
    feed_at(nodes, output_node(200, 0), 0, 1s);
    EXPECT_EQ(nodes.count(), 15);
    EXPECT_TRUE(targets(nodes, 0).empty()) << "it would get nothing by unicast";
    feed_at(nodes, output_node(1, 0), 0, 6s);
    nodes.expire(6s, 6s);
    EXPECT_TRUE(targets(nodes, 0).empty());
    nodes.expire(8s, 6s);
    EXPECT_EQ(targets(nodes, 0), (std::vector<std::string>{"2.0.0.1"})) << "not heard of for the node age";
}
