// The remotes on a real engine, over real sockets, in namespaces the tests
// make: a console on 2.0.0.1 and show-control senders on 2.0.0.2 (allowed)
// and 2.0.0.3 (not).
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>

#include "engine/engine_fixture.h"
#include "engine/playback_action.h"
#include "remote/osc_packet.h"
#include "remote/remote_control.h"
#include "support/netns.h"

namespace prismel::remote {
namespace {

using namespace std::chrono_literals;
using test::NetNamespace;

constexpr uint16_t kOsc = 8000, kMsc = 6004, kFeedback = 9001;

class Sender {
public:
    // A UDP socket of ns bound to address (and port: 0 for any).
    Sender(const NetNamespace& ns, const char* address, uint16_t port = 0) {
        NetNamespace::Inside inside(ns);
        fd_ = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in sa = at(address, port);
        ok_ = inside.entered() && fd_ >= 0 && bind(fd_, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0;
    }
    ~Sender() { close(fd_); }
    bool ok() const { return ok_; }
    void send(uint16_t port, const std::vector<uint8_t>& bytes) const {
        sockaddr_in to = at("2.0.0.1", port);
        (void)sendto(fd_, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    }
    void osc(const OscMessage& m) const { send(kOsc, osc_bytes(m)); }
    // The next OSC message to arrive within a second, or an empty one.
    OscMessage next() const {
        pollfd p{fd_, POLLIN, 0};
        uint8_t buf[2048];
        if (poll(&p, 1, 1000) != 1) return {};
        const ssize_t n = recv(fd_, buf, sizeof buf, 0);
        std::vector<OscMessage> m = read_osc_packet(buf, n > 0 ? size_t(n) : 0);
        return m.empty() ? OscMessage{} : m[0];
    }

private:
    static sockaddr_in at(const char* address, uint16_t port) {
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_port = htons(port);
        inet_pton(AF_INET, address, &sa.sin_addr);
        return sa;
    }
    int fd_ = -1;
    bool ok_ = false;
};

std::vector<uint8_t> msc_go(const char* cue) {
    std::vector<uint8_t> m = {0xF0, 0x7F, 0x01, 0x02, 0x01, 0x01};
    for (const char* c = cue; *c; ++c) m.push_back(uint8_t(*c));
    m.push_back(0xF7);
    return m;
}

class RemoteControlTest : public test::EngineTest {
protected:
    void SetUp() override {
        std::string why;
        console_ = NetNamespace::create(why);
        if (!console_) GTEST_SKIP() << "skipped: " << why;
        peers_ = NetNamespace::create(why);
        ASSERT_TRUE(peers_) << why;
        ASSERT_EQ(test::link_namespaces(*console_, "2.0.0.1/8", *peers_, "2.0.0.2/8"), 0);
        ASSERT_EQ(peers_->run("ip addr add 2.0.0.3/8 dev $(ls /sys/class/net | grep -v lo)"), 0);
        for (int c = 0; c < 3; ++c) {
            set_cue(c, c, 0);
            std::snprintf(show().scenes[c].name, sizeof show().scenes[c].name, "Scene %c", 'A' + c);
        }
    }
    void TearDown() override {
        if (remotes_) remotes_->stop();
    }
    void start(const std::string& allow) {
        remotes_ = std::make_unique<RemoteControl>(engine_, show(), [this](const char* text) {
            std::lock_guard<std::mutex> lock(said_mutex_);
            said_ = text;
        });
        RemoteSettings s;
        s.osc_port = kOsc;
        s.msc_udp_port = kMsc;
        s.osc_allow = allow;
        NetNamespace::Inside inside(*console_);
        ASSERT_TRUE(inside.entered());
        ASSERT_EQ(remotes_->start(s), std::vector<StartNote>{});
    }
    // Waits up to a second for the engine's current cue to become cue.
    bool current_becomes(int cue) {
        for (auto end = std::chrono::steady_clock::now() + 1s; std::chrono::steady_clock::now() < end;) {
            if (fields().current_cue == cue) return true;
            std::this_thread::sleep_for(2ms);
        }
        return fields().current_cue == cue;
    }
    std::string said() {
        std::lock_guard<std::mutex> lock(said_mutex_);
        return said_;
    }

    std::unique_ptr<NetNamespace> console_, peers_;
    std::unique_ptr<RemoteControl> remotes_;
    std::mutex said_mutex_;
    std::string said_;
};

std::vector<std::string> texts(const OscMessage& m) {
    std::vector<std::string> out{m.address};
    for (const OscArg& a : m.args) out.push_back(a.text);
    return out;
}

TEST_F(RemoteControlTest, OscAndMscMoveTheCueListSubscribersHearOfItOthersChangeNothing) {
    start("2.0.0.2");
    Sender allowed(*peers_, "2.0.0.2", kFeedback), outside(*peers_, "2.0.0.3");
    ASSERT_TRUE(allowed.ok() && outside.ok());

    allowed.osc({"/prismel/subscribe", {OscArg::of_number(kFeedback, 'i')}});
    EXPECT_EQ(texts(allowed.next()), (std::vector<std::string>{"/prismel/cue/current", "", ""}));
    EXPECT_EQ(texts(allowed.next()), (std::vector<std::string>{"/prismel/cue/next", "1", "Scene A"}));
    EXPECT_EQ(texts(allowed.next()), (std::vector<std::string>{"/prismel/state", "standby"}));

    allowed.osc({"/prismel/go", {}});
    EXPECT_TRUE(current_becomes(0));
    EXPECT_EQ(texts(allowed.next()), (std::vector<std::string>{"/prismel/cue/current", "1", "Scene A"}));
    EXPECT_EQ(texts(allowed.next()), (std::vector<std::string>{"/prismel/cue/next", "2", "Scene B"}));
    EXPECT_EQ(texts(allowed.next()), (std::vector<std::string>{"/prismel/state", "running"}));

    allowed.send(kMsc, msc_go("3"));
    EXPECT_TRUE(current_becomes(2));
    allowed.osc({"/prismel/back", {OscArg::of_number(1)}});
    allowed.osc({"/prismel/back", {OscArg::of_number(0)}});  // the release asks for nothing
    EXPECT_TRUE(current_becomes(1));

    allowed.osc({"/prismel/cue/3000/go", {}});
    for (int i = 0; i < 500 && said().empty(); ++i) std::this_thread::sleep_for(2ms);
    EXPECT_EQ(said(), outcome_message(ActionOutcome::no_such_cue));

    const uint64_t before = remotes_->actions();
    outside.osc({"/prismel/standby", {}});
    outside.send(kMsc, {0xF0, 0x7F, 0x7F, 0x02, 0x7F, 0x08, 0xF7});  // ALL_OFF to everyone
    allowed.osc({"/prismel/cue/2/go", {}});  // sent last, so the others have been looked at when it arrives
    EXPECT_TRUE(current_becomes(1));
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(remotes_->actions(), before + 1);
    EXPECT_EQ(fields().current_cue, 1);
}

TEST_F(RemoteControlTest, AFloodAgainstTheSteppingEngine) {
    start("2.0.0.2");
    Sender subscriber(*peers_, "2.0.0.2", kFeedback);
    std::vector<std::unique_ptr<Sender>> senders;
    for (int i = 0; i < 3; ++i) senders.push_back(std::make_unique<Sender>(*peers_, i < 2 ? "2.0.0.2" : "2.0.0.3"));
    subscriber.osc({"/prismel/subscribe", {}});

    std::atomic<bool> stop{false};
    std::atomic<long> steps{0};
    std::thread output([&] {
        while (!stop) {
            step();
            steps.fetch_add(1);
            std::this_thread::sleep_for(1ms);
        }
    });
    const std::vector<std::vector<uint8_t>> datagrams = {
        osc_bytes({"/prismel/go", {}}), osc_bytes({"/prismel/fkey/3", {}}), osc_bytes({"/nowhere", {}}),
        {0x23, 0x62, 0x75, 0x6e, 0xff, 0x00}, msc_go("2"), osc_bytes({"/prismel/scene/1", {OscArg::of_number(0.5)}}),
    };
    std::vector<std::thread> floods;
    for (auto& s : senders) {
        floods.emplace_back([&, sender = s.get()] {
            for (int i = 0; !stop; ++i) {
                const auto& d = datagrams[size_t(i) % datagrams.size()];
                sender->send(d == datagrams[4] ? kMsc : kOsc, d);
                if (i % 8 == 0) std::this_thread::sleep_for(1ms);
            }
        });
    }
    std::this_thread::sleep_for(1s);
    stop = true;
    for (auto& t : floods) t.join();
    output.join();
    EXPECT_GT(steps.load(), 200);
    EXPECT_GT(remotes_->actions(), 100u);
    EXPECT_FALSE(subscriber.next().address.empty());  // feedback kept coming
}

}  // namespace
}  // namespace prismel::remote
