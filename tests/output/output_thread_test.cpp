// The output thread's sACN stream, unicast delivery, chosen interface and
// settings changed while it runs, on the made-up network and clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "output/sacn_packets.h"
#include "thread_rig.h"

using namespace prismel;
using namespace prismel::test;

namespace {

const Cid kCid = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

OutputSettings with(Protocol p, Delivery d = Delivery::broadcast, std::string interface = "") {
    OutputSettings s;
    s.protocol = p;
    s.delivery = d;
    s.interface = std::move(interface);
    s.cid = kCid;
    return s;
}

std::vector<sacn::Data> sacn_data(Rig& rig, std::vector<long>* times = nullptr) {
    std::vector<sacn::Data> out;
    for (const SentDatagram& s : rig.world->sacn_sent()) {
        sacn::Data d;
        if (!sacn::parse_data(s.bytes.data(), s.bytes.size(), d)) continue;
        EXPECT_EQ(dotted(s.to), "239.255." + std::to_string(d.universe >> 8) + "." + std::to_string(d.universe & 255));
        out.push_back(d);
        if (times) times->push_back(rig.ms(s));
    }
    return out;
}

std::vector<long> discovery_times(Rig& rig) {
    std::vector<long> out;
    for (const SentDatagram& s : rig.world->sacn_sent()) {
        sacn::Discovery d;
        if (!sacn::parse_discovery(s.bytes.data(), s.bytes.size(), d)) continue;
        EXPECT_EQ(dotted(s.to), "239.255.250.214");
        EXPECT_EQ(d.universes, std::vector<uint16_t>{1});
        out.push_back(rig.ms(s));
    }
    return out;
}

std::vector<uint8_t> node_reply(Ipv4 ip, uint8_t sw_out) {
    ReplyPacket r;
    build_reply(r, ip);
    std::memcpy(r.data() + 26, "Node", 5);
    r[174] = 0x80;  // one DMX512 output port
    r[190] = sw_out;
    return {r.begin(), r.end()};
}

}  // namespace

TEST(OutputThreadSacn, IdleStreamSendsThreeThenAKeepAliveAndEndsWithThreeTerminated) {
    Rig rig;
    TArtnetThread& t = rig.create(with(Protocol::sacn));
    EXPECT_TRUE(t.socket_ready());
    rig.run_for(2s);
    EXPECT_TRUE(rig.dmx().empty()) << "no Art-Net";
    EXPECT_TRUE(rig.world->sent_with(0x2000).empty()) << "no polls";
    std::vector<long> times;
    std::vector<sacn::Data> d = sacn_data(rig, &times);
    EXPECT_EQ(times, (std::vector<long>{0, 20, 40, 940, 1840, 2020, 2020, 2020}));
    ASSERT_EQ(d.size(), 8u);
    for (size_t i = 0; i < d.size(); ++i) {
        EXPECT_EQ(d[i].sequence, i) << i;
        EXPECT_EQ(d[i].universe, 1);
        EXPECT_EQ(d[i].priority, 100);
        EXPECT_EQ(d[i].source_name, "Prismel");
        EXPECT_EQ(d[i].cid, kCid);
        EXPECT_EQ(d[i].options, i >= 5 ? sacn::kOptionTerminated : 0) << i;
    }
    EXPECT_EQ(discovery_times(rig), std::vector<long>{0});
    auto setup = rig.world->opened.at(0);
    EXPECT_TRUE(setup.multicast);
    EXPECT_EQ(setup.multicast_if, 2u);
    EXPECT_EQ(dotted(setup.multicast_address), "2.0.0.1");
    EXPECT_EQ(rig.world->opened.size(), 1u);
}

TEST(OutputThreadSacn, ChangingLevelsGoOutEveryFrameInBothProtocols) {
    Rig rig;
    uint8_t step = 0;
    rig.create(with(Protocol::both)).set_step_hook([&](uint8_t* frame) { frame[7] = ++step; });
    rig.run_for(10s + 10ms);
    std::vector<long> times;
    std::vector<sacn::Data> d = sacn_data(rig, &times);
    ASSERT_EQ(d.size(), 501u + 3u);
    for (size_t k = 1; k <= 500; ++k) {
        EXPECT_EQ(times[k], long(k * 20));
        EXPECT_EQ(d[k].slots[7], uint8_t(k));
    }
    EXPECT_EQ(rig.dmx().size(), 501u);
    EXPECT_EQ(discovery_times(rig), (std::vector<long>{0, 10000}));
}

TEST(OutputThreadSacn, AnotherUniverseEndsTheOldStreamFirst) {
    Rig rig;
    TArtnetThread& t = rig.create(with(Protocol::sacn));
    rig.run_for(200ms, [&](FakeWorld&, nanoseconds since) {
        if (since == 100ms) t.tx_universe = 0x10;
    });
    std::vector<long> times;
    std::vector<sacn::Data> d = sacn_data(rig, &times);
    std::vector<std::pair<int, int>> universe_options;
    for (auto& x : d) universe_options.push_back({x.universe, x.options});
    using P = std::pair<int, int>;
    EXPECT_EQ(universe_options, (std::vector<P>{{1, 0}, {1, 0}, {1, 0}, {1, 0x40}, {1, 0x40}, {1, 0x40}, {17, 0},
                                                {17, 0}, {17, 0}, {17, 0x40}, {17, 0x40}, {17, 0x40}}));
    EXPECT_EQ(times[3], 100) << "the frame after the change";
    EXPECT_EQ(times[6], 100);
}

TEST(OutputThreadUnicast, DmxGoesToTheNodesThatWantTheUniverseAndBroadcastWhileNone) {
    Rig rig;
    TArtnetThread& t = rig.create(with(Protocol::artnet, Delivery::unicast));
    t.tx_universe = 3;
    uint8_t step = 0;
    t.set_step_hook([&](uint8_t* frame) { frame[0] = ++step; });
    rig.run_for(12100ms, [&](FakeWorld& w, nanoseconds since) {
        std::lock_guard lock(w.mutex);
        if (since == 100ms) w.inbox.push_back(node_reply({{2, 0, 0, 7}}, 9));  // another universe
        if (since == 200ms) w.inbox.push_back(node_reply({{2, 0, 0, 8}}, 3));  // this one, then silent
        if (since == 20ms || since == 2020ms || since == 3980ms) w.inbox.push_back(node_reply({{2, 0, 0, 9}}, 3));
    });
    EXPECT_EQ(rig.times_ms(rig.world->sent_with(0x2000)).at(0), 0) << "unicast asks at once";
    std::map<long, std::string> per_frame;
    for (const SentDatagram& s : rig.dmx()) {
        std::string& to = per_frame[rig.ms(s)];
        to += (to.empty() ? "" : " ") + dotted(s.to);
    }
    std::vector<std::pair<long, std::string>> changes;
    for (auto& [ms, to] : per_frame)
        if (changes.empty() || changes.back().second != to) changes.push_back({ms, to});
    using C = std::pair<long, std::string>;
    // Answers are read after the frame is sent; a node goes at the first
    // poll (every 2 s) that finds it silent for more than 7 s.
    EXPECT_EQ(changes, (std::vector<C>{{0, "2.255.255.255"},
                                       {40, "2.0.0.9"},
                                       {220, "2.0.0.9 2.0.0.8"},
                                       {8020, "2.0.0.9"},
                                       {12020, "2.255.255.255"}}));
    EXPECT_EQ(t.nodes.count(), 0) << "every silent node went";
}

TEST(OutputThreadInterface, ChosenByNameIsUsedAsItIsAndFollowedWhileItComesAndGoes) {
    const LocalAddress lo = row({{127, 0, 0, 1}}, 8, 1, true, true);
    LocalAddress eth = row({{10, 0, 0, 5}}, 24, 2);
    LocalAddress other = row({{10, 9, 0, 5}}, 16, 3);
    other.if_name = "usb0";
    Rig rig({lo, eth, other});
    TArtnetThread& t = rig.create(with(Protocol::both, Delivery::broadcast, "usb0"));
    EXPECT_TRUE(rig.world->added.empty()) << "no alias on a chosen interface";
    EXPECT_EQ(t.own_address_text(), "10.9.0.5");
    EXPECT_EQ(t.status(), OutputStatus::ok);
    ASSERT_EQ(rig.world->opened.size(), 2u);
    EXPECT_EQ(rig.world->opened[0].device, "usb0");
    EXPECT_EQ(rig.world->opened[1].device, "usb0");
    EXPECT_EQ(rig.world->opened[1].multicast_if, 3u);

    int steps = 0;
    std::vector<std::pair<long, OutputStatus>> seen;
    uint8_t level = 0;
    t.set_step_hook([&](uint8_t* frame) {
        ++steps;
        frame[0] = level;
        if (seen.empty() || seen.back().second != t.status()) seen.push_back({steps * 20, t.status()});
    });
    LocalAddress down = other;
    down.running = false;
    rig.run_for(6100ms, [&](FakeWorld& w, nanoseconds since) {
        if (since == 1500ms) w.rows = {lo, eth};         // unplugged: gone
        if (since == 2500ms) level = 50;                 // a change while it is gone
        if (since == 3500ms) w.rows = {lo, eth, other};  // back
        if (since == 4500ms) w.rows = {lo, eth, down};   // no carrier
        if (since == 5500ms) w.rows = {lo, eth, other};
    });
    EXPECT_EQ(steps, 305) << "the frames kept their pace";
    using S = std::pair<long, OutputStatus>;
    EXPECT_EQ(seen, (std::vector<S>{{20, OutputStatus::ok}, {2020, OutputStatus::no_interface},
                                    {4020, OutputStatus::ok}, {5020, OutputStatus::link_down},
                                    {6020, OutputStatus::ok}}));
    std::vector<long> dmx_times = rig.times_ms(rig.dmx());
    EXPECT_TRUE(std::none_of(dmx_times.begin(), dmx_times.end(), [](long ms) { return ms > 2000 && ms < 4000; }));
    EXPECT_NE(std::find(dmx_times.begin(), dmx_times.end(), 4020), dmx_times.end()) << "sent at once when back";
    for (const SentDatagram& s : rig.world->sent) {
        EXPECT_EQ(s.device, "usb0");
        if (!s.sacn()) {
            EXPECT_EQ(dotted(s.to), "10.9.255.255");
        }
    }
    EXPECT_EQ(rig.world->live_sockets, 0);
}

TEST(OutputThreadInterface, ChosenByAddressAndMissingFromTheStart) {
    Rig rig({row({{2, 0, 0, 1}}, 8, 2), row({{10, 1, 1, 1}}, 8, 3)});
    TArtnetThread& t = rig.create(with(Protocol::artnet, Delivery::broadcast, "10.1.1.1"));
    EXPECT_EQ(t.own_address_text(), "10.1.1.1");
    EXPECT_EQ(dotted(t.broadcast_address()), "10.255.255.255");
    EXPECT_EQ(rig.world->opened.at(0).device, "eth3");

    Rig missing({row({{2, 0, 0, 1}}, 8, 2)});
    TArtnetThread& m = missing.create(with(Protocol::artnet, Delivery::broadcast, "eth7"));
    EXPECT_EQ(m.status(), OutputStatus::no_interface);
    EXPECT_FALSE(m.socket_ready());
    EXPECT_TRUE(missing.world->opened.empty());
    m.send_poll();
    missing.run_for(500ms);
    EXPECT_TRUE(missing.world->sent.empty());
}

TEST(OutputThreadSettings, ChangesTakeEffectWhileTheLoopRuns) {
    Rig rig({row({{192, 168, 1, 10}}, 24, 2)});
    TArtnetThread& t = rig.create();
    ASSERT_TRUE(t.alias_added());
    uint8_t step = 0;
    t.set_step_hook([&](uint8_t* frame) { frame[0] = ++step; });
    rig.run_for(400ms, [&](FakeWorld& w, nanoseconds since) {
        if (since == 200ms) {
            w.rows.push_back(row({{10, 0, 0, 1}}, 8, 5));
            t.set_output_settings(with(Protocol::sacn, Delivery::broadcast, "eth5"));
        }
    });
    EXPECT_EQ(t.output_settings().interface, "eth5");
    ASSERT_EQ(rig.world->removed.size(), 1u) << "the alias goes with the automatic choice";
    std::vector<long> dmx = rig.times_ms(rig.dmx());
    EXPECT_EQ(dmx.back(), 200);
    std::vector<long> sacn_times;
    sacn_data(rig, &sacn_times);
    EXPECT_EQ(sacn_times.front(), 220);
    EXPECT_EQ(t.status(), OutputStatus::no_socket) << "after the loop ended";
}

TEST(OutputThreadSettings, SacnAloneAddsNoArtnetAddress) {
    Rig rig({row({{192, 168, 1, 10}}, 24, 2)});
    TArtnetThread& t = rig.create(with(Protocol::sacn));
    EXPECT_TRUE(rig.world->added.empty());
    EXPECT_EQ(t.own_address_text(), "192.168.1.10");
    EXPECT_EQ(dotted(rig.world->opened.at(0).multicast_address), "192.168.1.10");
    t.set_output_settings(with(Protocol::both));
    EXPECT_EQ(rig.world->added.size(), 1u) << "Art-Net wants its 2.x address";
    EXPECT_EQ(t.own_address_text(), "2.168.1.10");
    t.set_output_settings(with(Protocol::sacn));
    EXPECT_EQ(rig.world->removed.size(), 1u);
}

TEST(OutputThreadSettings, TurningToUnicastAsksTheNodesAtOnce) {
    Rig rig;
    TArtnetThread& t = rig.create(with(Protocol::artnet));
    rig.run_for(300ms, [&](FakeWorld&, nanoseconds since) {
        if (since == 100ms) t.set_output_settings(with(Protocol::artnet, Delivery::unicast));
    });
    EXPECT_EQ(rig.times_ms(rig.world->sent_with(0x2000)), std::vector<long>{100});
    EXPECT_EQ(rig.times_ms(rig.dmx()), (std::vector<long>{0, 120})) << "the next frame goes out on the new sockets";
}
