// The output thread's chosen interface, its recovery and its node list under
// a flood, on real sockets in namespaces the tests make.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <random>
#include <thread>

#include "output/artnet_packets.h"
#include "output/artnet_thread.h"
#include "output/sacn_packets.h"
#include "support/netns_pair.h"

using namespace prismel::artnet;
using namespace prismel::test;
using namespace std::chrono_literals;

namespace {

template <class Pred>
bool eventually(Pred pred, std::chrono::milliseconds within) {
    for (auto end = std::chrono::steady_clock::now() + within; std::chrono::steady_clock::now() < end;) {
        if (pred()) return true;
        std::this_thread::sleep_for(20ms);
    }
    return pred();
}

// A receiving socket on a port, joined to a multicast group on the address
// given; it counts what arrives without blocking.
class Listener {
public:
    explicit Listener(uint16_t port, const char* group = nullptr, const char* on = nullptr) {
        fd_ = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        int on_ = 1;
        setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &on_, sizeof on_);
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_port = htons(port);
        ok_ = bind(fd_, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0;
        if (group) {
            ip_mreq m{};
            inet_pton(AF_INET, group, &m.imr_multiaddr);
            inet_pton(AF_INET, on, &m.imr_interface);
            ok_ &= setsockopt(fd_, IPPROTO_IP, IP_ADD_MEMBERSHIP, &m, sizeof m) == 0;
        }
    }
    ~Listener() { close(fd_); }
    bool ok() const { return ok_; }
    // Datagrams waiting now; ArtDmx (or any, for sACN) counted.
    int drain() {
        uint8_t buf[2048];
        int n = 0;
        for (ssize_t got; (got = recv(fd_, buf, sizeof buf, 0)) >= 0;) {
            if (got >= 10 && buf[8] == 0x00 && buf[9] == 0x50) ++n;
            else if (got >= 126 && buf[4] == 'A' && buf[5] == 'S') ++n;
        }
        return n;
    }
    // Waits (bounded) until something arrives.
    bool receives(std::chrono::milliseconds within) {
        return eventually([this] { return drain() > 0; }, within);
    }

private:
    int fd_ = -1;
    bool ok_ = false;
};

OutputSettings chosen(const std::string& name, Protocol p) {
    OutputSettings s;
    s.interface = name;
    s.protocol = p;
    s.cid = random_cid();
    return s;
}

class OutputNetns : public NamespacePairTest {};

}  // namespace

TEST_F(OutputNetns, OnlyTheChosenOfTwoInterfacesOnOneSubnetCarriesTheOutput) {
    std::string why;
    auto c = NetNamespace::create(why);
    ASSERT_TRUE(c) << why;
    ASSERT_EQ(link_namespaces(*a_, "2.0.0.1/8", *b_, "2.0.0.2/8"), 0);
    ASSERT_EQ(link_namespaces(*a_, "2.0.1.1/8", *c, "2.0.1.2/8"), 0);
    const std::string second = a_->output("ip -o -4 addr show | awk '/inet 2.0.1.1\\// {printf \"%s\", $2}'");
    ASSERT_FALSE(second.empty());

    std::unique_ptr<Listener> b_art, b_sacn, c_art, c_sacn;
    {
        NetNamespace::Inside in(*b_);
        b_art = std::make_unique<Listener>(6454);
        b_sacn = std::make_unique<Listener>(5568, "239.255.0.1", "2.0.0.2");
    }
    {
        NetNamespace::Inside in(*c);
        c_art = std::make_unique<Listener>(6454);
        c_sacn = std::make_unique<Listener>(5568, "239.255.0.1", "2.0.1.2");
    }
    ASSERT_TRUE(b_art->ok() && b_sacn->ok() && c_art->ok() && c_sacn->ok());

    std::unique_ptr<TArtnetThread> thread;
    {
        NetNamespace::Inside in(*a_);
        thread = std::make_unique<TArtnetThread>(chosen(second, Protocol::both));
        uint8_t step = 0;
        thread->set_step_hook([step](uint8_t* frame) mutable { frame[0] = ++step; });
        thread->start(false);
    }
    EXPECT_EQ(thread->own_address_text(), "2.0.1.1");
    EXPECT_TRUE(c_art->receives(2000ms));
    EXPECT_TRUE(c_sacn->receives(2000ms));
    std::this_thread::sleep_for(300ms);
    thread->terminate();
    thread->join();
    EXPECT_EQ(b_art->drain(), 0) << "nothing through the other interface";
    EXPECT_EQ(b_sacn->drain(), 0);
}

TEST_F(OutputNetns, InterfaceRemovedAndAddedAgainWhileSending) {
    const std::string tag = std::to_string(getpid() % 100000);
    const std::string here = "rma" + tag, there = "rmb" + tag;
    const std::string add = "ip link add " + here + " type veth peer name " + there + " netns " + b_->name() +
                            " && ip addr add 2.0.0.1/8 brd + dev " + here + " && ip link set " + here + " up && " +
                            b_->exec_prefix() + "sh -c 'ip addr add 2.0.0.2/8 brd + dev " + there +
                            " && ip link set " + there + " up'";
    ASSERT_EQ(a_->run(add), 0);
    std::unique_ptr<Listener> node;
    {
        NetNamespace::Inside in(*b_);
        node = std::make_unique<Listener>(6454);
    }
    std::atomic<int> steps{0};
    std::unique_ptr<TArtnetThread> thread;
    {
        NetNamespace::Inside in(*a_);
        thread = std::make_unique<TArtnetThread>(chosen(here, Protocol::artnet));
        thread->set_step_hook([&steps](uint8_t* frame) { frame[0] = uint8_t(++steps); });
        thread->start(false);
    }
    ASSERT_TRUE(node->receives(2000ms));

    ASSERT_EQ(a_->run("ip link del " + here), 0);
    EXPECT_TRUE(eventually([&] { return thread->status() == OutputStatus::no_interface; }, 3000ms));
    EXPECT_FALSE(thread->socket_ready());
    const int before = steps.load();
    std::this_thread::sleep_for(1000ms);
    EXPECT_GE(steps.load() - before, 25) << "the frames go on while the interface is gone";

    ASSERT_EQ(a_->run(add), 0);
    EXPECT_TRUE(eventually([&] { return thread->status() == OutputStatus::ok; }, 3000ms));
    node->drain();
    EXPECT_TRUE(node->receives(2000ms)) << "sending resumed";
    thread->terminate();
    thread->join();
}

TEST_F(OutputNetns, AFloodOfHostileRepliesKeepsTheListBoundedAndTheFramesGoing) {
    ASSERT_EQ(link_namespaces(*a_, "2.0.0.1/8", *b_, "2.0.0.2/8"), 0);
    std::atomic<int> steps{0};
    std::unique_ptr<TArtnetThread> thread;
    {
        NetNamespace::Inside in(*a_);
        thread = std::make_unique<TArtnetThread>();
        thread->set_step_hook([&steps](uint8_t* frame) { frame[0] = uint8_t(++steps); });
        thread->start(false);
    }
    int fd = -1;
    {
        NetNamespace::Inside in(*b_);
        fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    }
    ASSERT_GE(fd, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(6454);
    inet_pton(AF_INET, "2.0.0.1", &to.sin_addr);
    std::mt19937 random(7);
    const size_t sizes[] = {14, 100, 206, 207, 239, 240, 1400};
    const int before = steps.load();
    int sent = 0;
    const auto start = std::chrono::steady_clock::now();
    for (auto end = start + 1500ms; std::chrono::steady_clock::now() < end; ++sent) {
        std::vector<uint8_t> d(sizes[random() % 7], 0);
        ReplyPacket r;
        build_reply(r, Ipv4::from_value(uint32_t(random())));
        std::memcpy(d.data(), r.data(), std::min(d.size(), r.size()));
        if (d.size() > 26) std::memcpy(&d[26], "Fake", 5);
        if (d.size() > 194) {
            d[173] = uint8_t(random());  // port counts far over 4
            std::memset(&d[174], 0x80, 4);
            std::memset(&d[190], int(random() % 2), 4);  // many want the universe
        }
        sendto(fd, d.data(), d.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    close(fd);
    const int frames = steps.load() - before;
    EXPECT_LE(thread->nodes.count(), NodeList::kCapacity);
    EXPECT_GT(thread->nodes.count(), 0);
    EXPECT_GT(sent, 2000);
    // The frames go on; their timing under load is measured by
    // tools/measure_output.sh, not here.
    EXPECT_GE(frames, int(seconds * 50 / 5)) << sent << " datagrams in " << seconds << " s";
    thread->terminate();
    thread->join();
}
