// The remotes on a real engine over real sockets, in a namespace of the
// test's own: a flood of OSC and MSC datagrams from several threads, with a
// subscriber, while the output thread steps the engine. Under
// ThreadSanitizer this shows that the receiving threads touch nothing the
// step or the window reads without the engine's guard.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "engine/engine_fixture.h"
#include "remote/osc_packet.h"
#include "remote/remote_control.h"
#include "support/netns.h"

namespace prismel::remote {
namespace {

using namespace std::chrono_literals;
using test::NetNamespace;

constexpr uint32_t kLoopback = 0x7F000001;
constexpr uint16_t kOsc = 8000, kMsc = 6004;

class RemoteFlood : public test::EngineTest {};

TEST_F(RemoteFlood, DatagramsFromSeveralThreadsAgainstTheSteppingEngine) {
    std::string why;
    auto ns = NetNamespace::create(why);
    if (!ns) GTEST_SKIP() << "skipped: " << why;
    ASSERT_EQ(ns->run("ip link set lo up"), 0);
    for (int c = 0; c < 3; ++c) set_cue(c, c, 0);

    std::mutex said_mutex;
    std::string said;
    RemoteControl remotes(engine_, show(), [&](const char* text) {
        std::lock_guard<std::mutex> lock(said_mutex);
        said = text;
    });
    RemoteSettings settings;
    settings.osc_port = kOsc;
    settings.msc_udp_port = kMsc;
    // The senders are listeners too (any free port): one hears the feedback.
    std::atomic<int> feedback{0};
    UdpListener senders[3];
    {
        NetNamespace::Inside inside(*ns);
        ASSERT_TRUE(inside.entered());
        ASSERT_EQ(remotes.start(settings), std::vector<StartNote>{});
        for (UdpListener& s : senders) {
            ASSERT_TRUE(s.start(0, {}, [&](const uint8_t*, size_t, const UdpPeer&) { ++feedback; }, {}, "sender", why));
        }
    }
    const std::vector<uint8_t> subscribe = osc_bytes({"/prismel/subscribe", {}});
    senders[0].send_to({kLoopback, kOsc}, subscribe.data(), subscribe.size());

    std::atomic<bool> stop{false};
    std::atomic<long> steps{0};
    std::thread output([&] {
        while (!stop) {
            step();
            ++steps;
            std::this_thread::sleep_for(1ms);
        }
    });
    const std::vector<std::vector<uint8_t>> datagrams = {
        osc_bytes({"/prismel/go", {}}),
        osc_bytes({"/prismel/fkey/3", {}}),
        osc_bytes({"/nowhere", {}}),
        {0x23, 0x62, 0x75, 0x6e, 0xff, 0x00},
        {0xF0, 0x7F, 0x01, 0x02, 0x01, 0x01, '2', 0xF7},  // MSC GO cue 2
        osc_bytes({"/prismel/scene/1", {OscArg::of_number(0.5)}}),
        osc_bytes({"/prismel/cue/3000/go", {}}),
    };
    std::vector<std::thread> floods;
    for (UdpListener& s : senders) {
        floods.emplace_back([&] {
            for (size_t i = 0; !stop; ++i) {
                const std::vector<uint8_t>& d = datagrams[i % datagrams.size()];
                s.send_to({kLoopback, d[0] == 0xF0 ? kMsc : kOsc}, d.data(), d.size());
                if (i % 8 == 0) std::this_thread::sleep_for(1ms);
            }
        });
    }
    std::this_thread::sleep_for(1s);
    stop = true;
    for (std::thread& t : floods) t.join();
    output.join();
    remotes.stop();
    EXPECT_GT(steps.load(), 200);
    EXPECT_GT(remotes.actions(), 100u);
    EXPECT_GE(feedback.load(), 3);  // at once, then on the changes
    std::lock_guard<std::mutex> lock(said_mutex);
    EXPECT_EQ(said, outcome_message(ActionOutcome::no_such_cue));
}

}  // namespace
}  // namespace prismel::remote
