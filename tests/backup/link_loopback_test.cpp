// A primary and a backup linked over loopback, each engine stepped by an
// output thread of its own: the backup follows, a flood of foreign and
// damaged datagrams at both changes nothing, and it takes over once the
// primary falls silent. Run under ThreadSanitizer as well.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <random>
#include <thread>

#include "backup/backup_link.h"
#include "backup/primary_link.h"
#include "platform/simulated_remote_port.h"

namespace prismel::backup {
namespace {

using namespace std::chrono_literals;

class FakeOutputs final : public LinkOutputs {
public:
    void hold(bool held) override { held_ = held; }
    bool sending() const override { return !held_; }
    void watch(uint32_t) override {}
    uint64_t watched() const override { return 0; }
    std::atomic<bool> held_{false};
};

// An engine on a show of one fading cue, stepped every 20 ms on its own thread.
struct Console {
    Console() : show(std::make_unique<ShowData>()), engine(*show, port) {
        show->colours.rec[400] = ColourRecord{"C", 10, 20, 30};
        show->scenes[0].colour[0] = 400;
        show->scenes[0].size[0] = 255;
        show->cues[0] = CueRecord{10, 0, 200, -1, 20, 0, 0, 0};
        show->patch[0] = PatchRecord{1, 0};
        engine.initialise();
        engine.release();
        output = std::thread([this] {
            DmxFrame frame{};
            while (!stop) {
                engine.step(frame);
                std::this_thread::sleep_for(20ms);
            }
        });
    }
    ~Console() {
        stop = true;
        output.join();
        engine.shut_down();
    }
    std::unique_ptr<ShowData> show;
    SimulatedRemotePort port;
    PlaybackEngine engine;
    FakeOutputs outputs;
    std::atomic<bool> stop{false};
    std::thread output;
};

template <typename Done>
bool within(std::chrono::milliseconds limit, Done done) {
    for (auto end = std::chrono::steady_clock::now() + limit; std::chrono::steady_clock::now() < end;) {
        if (done()) return true;
        std::this_thread::sleep_for(5ms);
    }
    return done();
}

// Random datagrams, some of them sound headers with damaged bodies, at a port.
void flood(uint16_t port, int count) {
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::mt19937 random(6460);
    LinkMessage m;
    m.header.kind = LinkKind::subscribe;
    std::vector<uint8_t> sound = encode_link(m);
    for (int i = 0; i < count; ++i) {
        std::vector<uint8_t> b = i % 2 ? sound : std::vector<uint8_t>(random() % 1800);
        for (auto& byte : b) if (random() % 8 == 0) byte = uint8_t(random());
        sendto(fd, b.data(), b.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    }
    close(fd);
}

TEST(LinkLoopback, TheBackupFollowsShrugsOffAFloodAndTakesOverWhenThePrimaryGoesSilent) {
    Console primary_console, backup_console;
    PrimaryLink primary(primary_console.engine, *primary_console.show, primary_console.outputs, [](LinkNote) {});
    std::string error;
    ASSERT_TRUE(primary.start(0, error)) << error;
    BackupLink backup(backup_console.engine, backup_console.outputs, [](LinkNote) {});
    ASSERT_TRUE(backup.start(INADDR_LOOPBACK, primary.port(), error)) << error;
    EXPECT_TRUE(backup_console.outputs.held_);

    ASSERT_TRUE(within(2s, [&] { return backup.role() == BackupRole::following; }));
    primary_console.engine.go_to_cue(0);
    EXPECT_TRUE(within(500ms, [&] { return backup_console.engine.fields().current_cue == 0; }));
    EXPECT_TRUE(within(500ms, [&] { return primary.status().role == LinkStatus::Role::primary_backed; }));

    // A flood for well over the takeover time: it is refused and the backup follows on.
    const uint64_t installed = backup.installed();
    for (int burst = 0; burst < 15; ++burst) {
        flood(primary.port(), 200);
        flood(backup.port(), 200);
        std::this_thread::sleep_for(100ms);
        EXPECT_EQ(backup.role(), BackupRole::following);
    }
    EXPECT_GT(primary.refused(), 0u);
    EXPECT_GT(backup.refused(), 0u);
    EXPECT_GT(backup.installed(), installed + 5);
    EXPECT_TRUE(backup_console.outputs.held_);

    primary.stop();
    const auto silent = std::chrono::steady_clock::now();
    ASSERT_TRUE(within(1500ms, [&] { return backup.role() == BackupRole::active; }));
    EXPECT_GE(std::chrono::steady_clock::now() - silent, 900ms);
    EXPECT_FALSE(backup_console.outputs.held_);
    EXPECT_EQ(backup_console.engine.fields().current_cue, 0);
}

}  // namespace
}  // namespace prismel::backup
