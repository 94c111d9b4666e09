// A primary and a backup linked over loopback, each engine stepped by an
// output thread of its own: the backup follows, a flood of foreign and
// damaged datagrams at both changes nothing, and it takes over once the
// primary falls silent. Run under ThreadSanitizer as well.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <random>
#include <thread>

#include "backup/backup_link.h"
#include "backup/primary_link.h"
#include "platform/simulated_remote_port.h"

namespace prismel::backup {
namespace {

using namespace std::chrono_literals;

// A show of one fading cue, its engine stepped every 20 ms on a thread of its own.
struct Console final : LinkOutputs {
    Console() : show(std::make_unique<ShowData>()), engine(*show, port) {
        show->scenes[0].size[0] = 255;
        show->cues[0] = CueRecord{10, 0, 200, -1, 20, 0, 0, 0};
        engine.initialise();
        engine.release();
        output = std::thread([this] {
            for (DmxFrame frame{}; !stop; std::this_thread::sleep_for(20ms)) engine.step(frame);
        });
    }
    ~Console() override {
        stop = true;
        output.join();
        engine.shut_down();
    }
    void hold(bool on) override { held = on; }
    bool sending() const override { return !held; }
    void watch(uint32_t) override {}
    uint64_t watched() const override { return 0; }

    std::unique_ptr<ShowData> show;
    SimulatedRemotePort port;
    PlaybackEngine engine;
    std::atomic<bool> held{false}, stop{false};
    std::thread output;
};

bool within(std::chrono::milliseconds limit, const std::function<bool()>& done) {
    for (auto end = std::chrono::steady_clock::now() + limit; std::chrono::steady_clock::now() < end;)
        if (done()) return true;
        else std::this_thread::sleep_for(5ms);
    return done();
}

// Random datagrams, every other one a sound subscription with random damage.
void flood(uint16_t port, int count) {
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in to{AF_INET, htons(port), {htonl(INADDR_LOOPBACK)}, {}};
    std::mt19937 random(6460);
    const std::vector<uint8_t> sound = encode_link(LinkMessage{{LinkKind::subscribe}});
    for (int i = 0; i < count; ++i) {
        std::vector<uint8_t> b = i % 2 ? sound : std::vector<uint8_t>(random() % 1800);
        for (auto& byte : b) byte = random() % 8 ? byte : uint8_t(random());
        sendto(fd, b.data(), b.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    }
    close(fd);
}

TEST(LinkLoopback, TheBackupFollowsShrugsOffAFloodAndTakesOverWhenThePrimaryGoesSilent) {
    Console a, b;
    PrimaryLink primary(a.engine, *a.show, a, [](LinkNote) {});
    BackupLink backup(b.engine, b, [](LinkNote) {});
    std::string error;
    ASSERT_TRUE(primary.start(0, error)) << error;
    ASSERT_TRUE(backup.start(INADDR_LOOPBACK, primary.port(), error)) << error;
    EXPECT_TRUE(b.held);
    ASSERT_TRUE(within(2s, [&] { return backup.role() == BackupRole::following; }));
    a.engine.go_to_cue(0);
    EXPECT_TRUE(within(500ms, [&] { return b.engine.fields().current_cue == 0; }));
    EXPECT_TRUE(within(500ms, [&] { return primary.status().role == LinkStatus::Role::primary_backed; }));

    // A flood for well over the takeover time: refused, and the backup follows on.
    const uint64_t installed = backup.installed();
    for (int burst = 0; burst < 15; ++burst) {
        flood(primary.port(), 200);
        flood(backup.port(), 200);
        std::this_thread::sleep_for(100ms);
        EXPECT_EQ(backup.role(), BackupRole::following);
    }
    EXPECT_GT(primary.refused() * backup.refused(), 0u);
    EXPECT_GT(backup.installed(), installed + 5);
    EXPECT_TRUE(b.held);

    primary.stop();
    const auto silent = std::chrono::steady_clock::now();
    ASSERT_TRUE(within(1500ms, [&] { return backup.role() == BackupRole::active; }));
    EXPECT_GE(std::chrono::steady_clock::now() - silent, 900ms);
    EXPECT_FALSE(b.held);
    EXPECT_EQ(b.engine.fields().current_cue, 0);
}

}  // namespace
}  // namespace prismel::backup
