#include "output/artnet_thread.h"

#include <gtest/gtest.h>

#include <cstring>

#include "thread_rig.h"
#include "platform/text_codec.h"

using namespace prismel::artnet;
using namespace prismel::test;

namespace {

constexpr Ipv4 kOwn{{2, 0, 0, 1}};
constexpr Ipv4 kBroadcast{{2, 255, 255, 255}};

}  // namespace

TEST(ArtnetThreadLoop, IdleFrameGoesOutAtStartThenEveryFrameAndAHalfSecond) {
    Rig rig;
    rig.create().set_step_hook([](uint8_t*) {});
    rig.run_for(4s);
    auto dmx = rig.dmx();
    EXPECT_EQ(rig.times_ms(dmx), (std::vector<long>{0, 1500, 3000}));
    DmxPacket expected;
    build_dmx(expected);
    for (auto& s : dmx) {
        EXPECT_EQ(s.bytes, std::vector<uint8_t>(expected.begin(), expected.end()));
        EXPECT_EQ(s.to, kBroadcast);
        EXPECT_EQ(s.port, 6454);
    }
    auto polls = rig.world->sent_with(0x2000);
    EXPECT_EQ(rig.times_ms(polls), (std::vector<long>{2000, 4000}));
    PollPacket poll;
    build_poll(poll);
    EXPECT_EQ(polls[0].bytes, std::vector<uint8_t>(poll.begin(), poll.end()));
}

TEST(ArtnetThreadLoop, ChangingFrameIsSentFiftyTimesASecondOnTheGrid) {
    Rig rig;
    uint8_t step = 0;
    rig.create().set_step_hook([&](uint8_t* frame) {
        ++step;
        for (int i = 0; i < 512; ++i) frame[i] = uint8_t(step + i);
    });
    rig.run_for(1s);
    auto dmx = rig.dmx();
    ASSERT_EQ(dmx.size(), 51u);
    for (size_t k = 0; k < dmx.size(); ++k) {
        EXPECT_EQ(dmx[k].at - rig.start, k * 20ms) << k;
        ASSERT_EQ(dmx[k].bytes.size(), 530u);
        for (int i = 0; i < 512; ++i) ASSERT_EQ(dmx[k].bytes[18 + i], k ? uint8_t(k + i) : 0) << k << " " << i;
    }
}

TEST(ArtnetThreadLoop, LateWakeUpsNeitherDriftNorBurst) {
    Rig rig;
    uint8_t step = 0;
    rig.create().set_step_hook([&](uint8_t* frame) { frame[0] = ++step; });
    // Every wake-up comes 0.3 ms late; the one meant for 200 ms comes at 275 ms.
    rig.run_for(1s, [](FakeWorld& w, nanoseconds since) {
        w.now += since == 200ms ? 75ms : 300us;
    });
    auto dmx = rig.dmx();
    std::vector<long> us;
    for (auto& s : dmx) us.push_back(long((s.at - rig.start) / 1us));
    std::vector<long> expected{0};
    for (long t = 20; t < 1000; t += 20) {  // the wake-up past 1 s ends the run
        if (t == 200) expected.push_back(275000);
        else if (t > 200 && t < 280) continue;
        else expected.push_back(t * 1000 + 300);
    }
    EXPECT_EQ(us, expected);
}

TEST(ArtnetThreadLoop, UniverseChangeGoesIntoTheNextPacket) {
    Rig rig;
    TArtnetThread& t = rig.create();
    int step = 0;
    t.set_step_hook([&](uint8_t* frame) {
        if (++step == 10) t.tx_universe = 0x13A;
        frame[0] = uint8_t(step);
    });
    rig.run_for(300ms);
    for (auto& s : rig.dmx()) {
        bool after = rig.ms(s) >= 200;
        EXPECT_EQ(s.bytes[14], after ? 0x3A : 0) << rig.ms(s);
        EXPECT_EQ(s.bytes[15], after ? 0x01 : 0) << rig.ms(s);
    }
}

TEST(ArtnetThreadLoop, PollsAreAnsweredAndRepliesListed) {
    Rig rig;
    PollPacket poll;
    build_poll(poll);
    ReplyPacket node;
    build_reply(node, Ipv4{{2, 0, 0, 2}});
    std::memcpy(node.data() + 26, "Node two", 9);
    rig.world->inbox.push_back({poll.begin(), poll.end()});
    rig.world->inbox.push_back({node.begin(), node.end()});
    rig.world->inbox.push_back({poll.begin(), poll.end()});
    TArtnetThread& t = rig.create();
    rig.run_for(30ms);

    auto replies = rig.world->sent_with(0x2100);
    ASSERT_EQ(replies.size(), 2u);
    ReplyPacket expected;
    build_reply(expected, kOwn);
    EXPECT_EQ(replies[0].bytes, std::vector<uint8_t>(expected.begin(), expected.end()));
    EXPECT_EQ(replies[0].to, kBroadcast);
    EXPECT_EQ(rig.ms(replies[0]), 20);
    set_reply_counter(expected, 1);
    EXPECT_EQ(replies[1].bytes, std::vector<uint8_t>(expected.begin(), expected.end()));

    ASSERT_EQ(t.nodes.count(), 1);
    NodeEntry e{};
    t.nodes.entry(0, e);
    EXPECT_STREQ(e.short_name, "Node two");
}

TEST(ArtnetThreadLoop, AtMostSixtyFourDatagramsAreReadPerPass) {
    Rig rig;
    PollPacket poll;
    build_poll(poll);
    for (int i = 0; i < 100; ++i) rig.world->inbox.push_back({poll.begin(), poll.end()});
    rig.run_for(50ms);
    std::vector<long> times = rig.times_ms(rig.world->sent_with(0x2100));
    EXPECT_EQ(std::count(times.begin(), times.end(), 20), 64);
    EXPECT_EQ(std::count(times.begin(), times.end(), 40), 36);
}

TEST(ArtnetThreadLoop, FailedSocketStillStepsAndSendsNothing) {
    Rig rig;
    rig.world->socket_opens = false;
    int steps = 0;
    TArtnetThread& t = rig.create();
    t.set_step_hook([&](uint8_t* frame) { frame[0] = uint8_t(++steps); });
    EXPECT_FALSE(t.socket_ready());
    EXPECT_NE(t.error_text().find(prismel::sj("ソケットの初期化に失敗しました")), std::string::npos);
    EXPECT_NE(t.error_text().find("Address already in use"), std::string::npos);
    t.send_poll();
    rig.run_for(1s);
    EXPECT_EQ(steps, 50);
    EXPECT_TRUE(rig.world->sent.empty());
}

TEST(ArtnetThreadLoop, ScanPollFromTheMainThreadAndReadyFlag) {
    Rig rig;
    TArtnetThread& t = rig.create();
    EXPECT_TRUE(t.socket_ready());
    t.send_poll();
    ASSERT_EQ(rig.world->sent_with(0x2000).size(), 1u);
    rig.run_for(20ms);
    EXPECT_FALSE(t.socket_ready()) << "the socket is closed when the loop ends";
    t.send_poll();
    EXPECT_EQ(rig.world->sent_with(0x2000).size(), 1u);
}

TEST(ArtnetThreadSetUp, ArtnetAddressIsUsedAsItIs) {
    Rig rig({row({{127, 0, 0, 1}}, 8, 1, true, true), row({{192, 168, 1, 10}}, 24, 2), row({{2, 0, 0, 5}}, 8, 3)});
    TArtnetThread& t = rig.create();
    EXPECT_EQ(t.own_address_text(), "2.0.0.5");
    EXPECT_EQ(t.broadcast_address(), kBroadcast);
    EXPECT_FALSE(t.alias_added());
    EXPECT_FALSE(t.alias_refused());
    EXPECT_TRUE(rig.world->added.empty());
}

TEST(ArtnetThreadSetUp, AliasIsAddedAsSlashEightAndRemovedWhenTheLoopEnds) {
    Rig rig({row({{127, 0, 0, 1}}, 8, 1, true, true), row({{192, 168, 1, 10}}, 24, 2)});
    TArtnetThread& t = rig.create();
    ASSERT_EQ(rig.world->added.size(), 1u);
    const AddedAddress& a = rig.world->added[0];
    EXPECT_EQ(a.if_index, 2u);
    EXPECT_EQ(a.address, (Ipv4{{2, 168, 1, 10}}));
    EXPECT_EQ(a.prefix, 8);
    EXPECT_EQ(a.broadcast, kBroadcast);
    EXPECT_EQ(t.own_address_text(), "2.168.1.10");
    EXPECT_EQ(t.broadcast_address(), kBroadcast);
    EXPECT_TRUE(t.error_text().empty());
    EXPECT_FALSE(t.alias_refused());

    rig.run_for(20ms);
    ASSERT_EQ(rig.world->removed.size(), 1u);
    EXPECT_EQ(rig.world->removed[0].address, a.address);
    EXPECT_EQ(rig.dmx().at(0).to, kBroadcast);
    rig.thread.reset();
    EXPECT_EQ(rig.world->removed.size(), 1u) << "removed once";
}

TEST(ArtnetThreadSetUp, AliasIsRemovedEvenWhenTheLoopNeverRan) {
    Rig rig({row({{10, 1, 2, 3}}, 24, 4)});
    rig.create();
    rig.thread.reset();
    ASSERT_EQ(rig.world->removed.size(), 1u);
    EXPECT_EQ(rig.world->removed[0].address, (Ipv4{{2, 1, 2, 3}}));
}

TEST(ArtnetThreadSetUp, FailedAliasKeepsTheInterfaceAddressAndItsBroadcast) {
    Rig rig({row({{192, 168, 1, 10}}, 24, 2)});
    rig.world->add_succeeds = false;
    TArtnetThread& t = rig.create();
    EXPECT_EQ(t.error_text(), "Operation not permitted");
    EXPECT_TRUE(t.alias_refused());
    EXPECT_EQ(t.own_address_text(), "192.168.1.10");
    EXPECT_EQ(t.broadcast_address(), (Ipv4{{192, 168, 1, 255}}));
    EXPECT_TRUE(t.socket_ready());
    rig.run_for(20ms);
    EXPECT_TRUE(rig.world->removed.empty());
    EXPECT_EQ(rig.dmx().at(0).to, (Ipv4{{192, 168, 1, 255}}));
}

TEST(ArtnetThreadSetUp, NoUsableAddressStaysOnLoopback) {
    Rig rig({row({{127, 0, 0, 1}}, 8, 1, true, true), row({{10, 0, 0, 1}}, 8, 2, false)});
    TArtnetThread& t = rig.create();
    EXPECT_EQ(t.own_address_text(), "127.0.0.1");
    EXPECT_EQ(t.broadcast_address(), (Ipv4{{127, 255, 255, 255}}));
    EXPECT_TRUE(rig.world->added.empty()) << "a down interface gets no alias";
}
