// The output thread on real sockets and real interfaces, in namespaces the
// tests make (never the machine's own network).
#include <linux/capability.h>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "output/artnet_packets.h"
#include "output/artnet_thread.h"
#include "support/netns.h"

using namespace prismel::artnet;
using namespace prismel::test;
using namespace std::chrono_literals;

namespace {

class ArtnetNetns : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        a_ = NetNamespace::create(why);
        if (!a_) GTEST_SKIP() << "skipped: " << why;
    }
    // Gives a_ one interface whose only address is 10.1.2.3/24.
    void give_only_address() {
        std::string why;
        peer_ = NetNamespace::create(why);
        ASSERT_TRUE(peer_) << why;
        ASSERT_EQ(link_namespaces(*a_, "10.1.2.3/24", *peer_, ""), 0);
        ASSERT_EQ(a_->output("ip -4 -o addr show | wc -l"), "1\n");
    }
    std::unique_ptr<NetNamespace> a_, peer_;
};

std::string addresses(const NetNamespace& ns) { return ns.output("ip -4 -o addr show"); }

// Drops CAP_NET_ADMIN from the calling thread's effective set for a scope.
class WithoutNetAdmin {
public:
    WithoutNetAdmin() {
        header_.version = _LINUX_CAPABILITY_VERSION_3;
        header_.pid = 0;
        syscall(SYS_capget, &header_, saved_);
        __user_cap_data_struct reduced[2];
        std::memcpy(reduced, saved_, sizeof reduced);
        reduced[0].effective &= ~(1u << CAP_NET_ADMIN);
        ok_ = syscall(SYS_capset, &header_, reduced) == 0;
    }
    ~WithoutNetAdmin() { syscall(SYS_capset, &header_, saved_); }
    bool ok() const { return ok_; }

private:
    __user_cap_header_struct header_{};
    __user_cap_data_struct saved_[2]{};
    bool ok_ = false;
};

// A plain Art-Net socket standing in for a node.
class NodeSocket {
public:
    NodeSocket() {
        fd_ = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        int on = 1;
        setsockopt(fd_, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
        timeval tv{0, 200000};
        setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_port = htons(6454);
        bound_ = bind(fd_, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0;
    }
    ~NodeSocket() { close(fd_); }
    bool bound() const { return bound_; }
    void send(const uint8_t* d, size_t n, const char* to = "2.255.255.255") {
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_port = htons(6454);
        inet_pton(AF_INET, to, &sa.sin_addr);
        sendto(fd_, d, n, 0, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
    }
    // The next datagram with this OpCode within the deadline, from someone else.
    std::vector<uint8_t> next(int opcode, std::chrono::milliseconds within = 3000ms) {
        auto end = std::chrono::steady_clock::now() + within;
        uint8_t buf[2048];
        while (std::chrono::steady_clock::now() < end) {
            ssize_t n = recv(fd_, buf, sizeof buf, 0);
            if (n >= 10 && (buf[8] | buf[9] << 8) == opcode) return {buf, buf + n};
        }
        return {};
    }

private:
    int fd_ = -1;
    bool bound_ = false;
};

}  // namespace

TEST_F(ArtnetNetns, AliasIsAddedOnTheOnlyAddressAndGoneAfterTheThreadEnds) {
    give_only_address();
    if (HasFatalFailure()) return;
    {
        NetNamespace::Inside inside(*a_);
        ASSERT_TRUE(inside.entered());
        TArtnetThread thread;
        EXPECT_TRUE(thread.alias_added()) << thread.error_text();
        EXPECT_EQ(thread.own_address_text(), "2.1.2.3");
        EXPECT_EQ(dotted(thread.broadcast_address()), "2.255.255.255");
        EXPECT_TRUE(thread.socket_ready());
        std::string with_alias = addresses(*a_);
        EXPECT_NE(with_alias.find("inet 2.1.2.3/8 brd 2.255.255.255"), std::string::npos) << with_alias;
        EXPECT_NE(with_alias.find("inet 10.1.2.3/24"), std::string::npos);
        thread.start(false);
        std::this_thread::sleep_for(100ms);
        thread.terminate();
        thread.join();
        std::string after = addresses(*a_);
        EXPECT_EQ(after.find("2.1.2.3"), std::string::npos) << after;
        EXPECT_NE(after.find("10.1.2.3/24"), std::string::npos);
    }
}

TEST_F(ArtnetNetns, WithoutNetAdminTheErrorIsStoredAndTheThreadRuns) {
    give_only_address();
    if (HasFatalFailure()) return;
    NetNamespace::Inside inside(*a_);
    ASSERT_TRUE(inside.entered());
    std::unique_ptr<TArtnetThread> thread;
    {
        WithoutNetAdmin drop;
        ASSERT_TRUE(drop.ok());
        thread = std::make_unique<TArtnetThread>();
    }
    EXPECT_FALSE(thread->alias_added());
    EXPECT_EQ(thread->error_text(), "Operation not permitted");
    EXPECT_EQ(thread->own_address_text(), "10.1.2.3");
    EXPECT_EQ(dotted(thread->broadcast_address()), "10.1.2.255");
    EXPECT_TRUE(thread->socket_ready());
    int steps = 0;
    thread->set_step_hook([&](uint8_t*) { ++steps; });
    thread->start(false);
    std::this_thread::sleep_for(200ms);
    thread->terminate();
    thread->join();
    EXPECT_GE(steps, 5);
    EXPECT_EQ(addresses(*a_).find("2.1.2.3"), std::string::npos);
}

TEST_F(ArtnetNetns, FramesPollsAndRepliesCrossAVethPair) {
    std::string why;
    auto b = NetNamespace::create(why);
    ASSERT_TRUE(b) << why;
    ASSERT_EQ(link_namespaces(*a_, "2.0.0.1/8", *b, "2.0.0.2/8"), 0);

    std::unique_ptr<NodeSocket> node;
    {
        NetNamespace::Inside inside(*b);
        ASSERT_TRUE(inside.entered());
        node = std::make_unique<NodeSocket>();
    }
    ASSERT_TRUE(node->bound());

    std::unique_ptr<TArtnetThread> thread;
    {
        NetNamespace::Inside inside(*a_);
        thread = std::make_unique<TArtnetThread>();
        EXPECT_FALSE(thread->alias_added());
        EXPECT_EQ(thread->own_address_text(), "2.0.0.1");
        thread->tx_universe = 0x12;
        thread->set_step_hook([&](uint8_t* frame) { frame[0] = 200, frame[511] = 7; });
        thread->start(false);
    }

    auto dmx = node->next(0x5000);
    ASSERT_EQ(dmx.size(), 530u);
    if (dmx[18] == 0) dmx = node->next(0x5000);  // the all-zero frame sent at start
    EXPECT_EQ(dmx[14], 0x12);
    EXPECT_EQ(dmx[18], 200);
    EXPECT_EQ(dmx[529], 7);

    PollPacket poll;
    build_poll(poll);
    node->send(poll.data(), poll.size());
    auto reply = node->next(0x2100);
    ASSERT_EQ(reply.size(), 240u);
    EXPECT_EQ(std::memcmp(&reply[10], "\x02\x00\x00\x01", 4), 0);
    EXPECT_STREQ(reinterpret_cast<const char*>(&reply[26]), "ORB_Application");

    ReplyPacket mine;
    build_reply(mine, Ipv4{{2, 0, 0, 2}});
    std::memcpy(mine.data() + 26, "Veth node", 10);
    mine[174] = 0x80;  // one DMX output port on universe 0x12
    mine[19] = 1;
    mine[190] = 2;
    node->send(mine.data(), mine.size());
    for (int i = 0; i < 50 && thread->nodes.count() == 0; ++i) std::this_thread::sleep_for(20ms);
    ASSERT_EQ(thread->nodes.count(), 1);
    NodeEntry e{};
    thread->nodes.entry(0, e);
    EXPECT_STREQ(e.short_name, "Veth node");
    EXPECT_EQ(e.marked, 1);

    EXPECT_EQ(node->next(0x2000, 2500ms).size(), 14u) << "the thread polls every 2 s";
    thread->terminate();
    thread->join();
}
