// Two headless players in private namespaces, one the backup of the other,
// and a receiver on the lighting network between them: the backup follows,
// takes over within 1.2 s of a kill -9 with the fade where it would be,
// gives the stage back to the restarted primary without a change on the
// wire, and says and mends a show that is not the primary's.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "play_fixture.h"

using namespace prismel;
using namespace prismel::test;
using Clock = std::chrono::steady_clock;

namespace {

struct Frame {
    Clock::time_point at;
    uint32_t from;
    std::array<uint8_t, 16> slots;
};

// Every ArtDmx on the lighting network, with its sender, from a thread in
// the receiver's namespace.
class Receiver {
public:
    explicit Receiver(const NetNamespace& ns) : thread_([this, &ns] { run(ns); }) {}
    ~Receiver() {
        stop_ = true;
        thread_.join();
    }
    std::vector<Frame> frames() {
        std::lock_guard lock(mutex_);
        return frames_;
    }

private:
    void run(const NetNamespace& ns) {
        NetNamespace::Inside inside(ns);
        const int fd = socket(AF_INET, SOCK_DGRAM, 0);
        const int on = 1;
        setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        timeval tv{0, 100000};
        setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_port = htons(6454);
        if (!inside.entered() || bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) {
            close(fd);
            return;
        }
        uint8_t buf[600];
        while (!stop_) {
            sockaddr_in from{};
            socklen_t len = sizeof from;
            const ssize_t n = recvfrom(fd, buf, sizeof buf, 0, reinterpret_cast<sockaddr*>(&from), &len);
            if (n < 34 || std::memcmp(buf, "Art-Net", 8) != 0 || buf[9] != 0x50) continue;
            Frame f{Clock::now(), ntohl(from.sin_addr.s_addr), {}};
            std::memcpy(f.slots.data(), buf + 18, 16);
            std::lock_guard lock(mutex_);
            frames_.push_back(f);
        }
        close(fd);
    }
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<Frame> frames_;
    std::thread thread_;
};

constexpr uint32_t kPrimary = 0x02000001, kBackup = 0x02000002;

class PlayBackup : public NamespacePairTest {
protected:
    // A player in ns with its standard input open for commands, its PID in a
    // file beside its standard error (it runs for a minute at most).
    FILE* play(const NetNamespace& ns, const std::string& folder, const std::string& options, const std::string& err) {
        const std::string pid = dir_.file(err + ".pid");
        return popen((ns.exec_prefix() + "sh -c 'echo $$ >" + pid + "; exec env PRISMEL_REMOTE_PORT=none " + kTool +
                      " play " + folder + " --seconds 60 " + options + "' >/dev/null 2>>" + dir_.file(err))
                         .c_str(),
                     "w");
    }
    void say(FILE* p, const char* line) {
        std::fputs(line, p);
        std::fflush(p);
    }
    pid_t pid_of(const std::string& err) { return pid_t(std::stol(read_text(dir_.file(err + ".pid")))); }
    // Waits up to `seconds` for a line of the player's standard error.
    bool said(const std::string& err, const std::string& what, double seconds = 5) {
        for (auto end = Clock::now() + std::chrono::duration<double>(seconds); Clock::now() < end;) {
            if (read_text(dir_.file(err)).find(what) != std::string::npos) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }
    TempDir dir_;
};

double ms_between(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

// The frame from `from` nearest to t, or the first one after t.
const Frame* nearest(const std::vector<Frame>& frames, uint32_t from, Clock::time_point t, bool after = false) {
    const Frame* best = nullptr;
    for (const Frame& f : frames) {
        if (f.from != from || (after && f.at < t)) continue;
        if (!best || std::abs(ms_between(f.at, t)) < std::abs(ms_between(best->at, t))) best = &f;
    }
    return best;
}

}  // namespace

TEST_F(PlayBackup, FollowsTakesOverWithoutADarkFrameGivesBackAndCopiesTheShow) {
    if (system("command -v python3 >/dev/null") != 0) GTEST_SKIP() << "skipped: python3 is not installed";
    std::string why;
    auto rig = NetNamespace::create(why);
    ASSERT_TRUE(rig) << why;
    ASSERT_EQ(bridge_namespaces(*rig, "2.0.0.100/8", {{a_.get(), "2.0.0.1/8"}, {b_.get(), "2.0.0.2/8"}}), 0);
    const std::string primary_dir = dir_.folder() + "primary/", backup_dir = dir_.folder() + "backup/";
    // Fixture 1's level counts the steps of a 5.1 s fade; a chase runs beside
    // it. The backup's show differs in a scene's name.
    const std::string writer = "python3 " PRISMEL_SOURCE_DIR "/tools/write_backup_show.py ";
    ASSERT_EQ(system((writer + primary_dir + " && " + writer + backup_dir + " --other").c_str()), 0);
    Receiver rx(*rig);

    FILE* primary = play(*a_, primary_dir, "--resume", "p1.err");
    FILE* backup = play(*b_, backup_dir, "--backup-of 2.0.0.1", "b.err");
    ASSERT_TRUE(said("b.err", "backup: following the primary")) << read_text(dir_.file("b.err"));
    EXPECT_TRUE(said("b.err", "the show differs from the primary's"));
    EXPECT_TRUE(said("p1.err", "primary: a backup follows"));

    // Halfway through the first fade the primary dies.
    say(primary, "cue 1\n");
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    ASSERT_EQ(kill(pid_of("p1.err"), SIGKILL), 0);
    const Clock::time_point killed = Clock::now();
    pclose(primary);
    ASSERT_TRUE(said("b.err", "this backup sends", 3));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    std::vector<Frame> frames = rx.frames();
    const Frame* last = nearest(frames, kPrimary, killed);
    const Frame* first = nearest(frames, kBackup, Clock::time_point{}, true);
    ASSERT_TRUE(last && first);
    EXPECT_GT(first->at, killed) << "a following backup sends nothing";
    EXPECT_LE(ms_between(killed, first->at), 1200.0);
    // The backup's first frame is where the primary's fade would be by then.
    const double expected = last->slots[0] + ms_between(last->at, first->at) / 20.0;
    EXPECT_NEAR(first->slots[0], expected, 2.0);
    std::printf("takeover: first frame %.0f ms after the kill, %+.1f frames from the primary's fade\n",
                ms_between(killed, first->at), first->slots[0] - expected);
    bool lit = false;  // dark before the first GO only
    for (const Frame& f : frames) {
        const bool dark = f.slots == std::array<uint8_t, 16>{};
        EXPECT_FALSE(dark && (lit || f.from == kBackup)) << "a dark frame from 2.0.0." << (f.from & 0xFF);
        lit = lit || !dark;
    }

    // The primary comes back from its journal and takes the backup's look,
    // so the wire does not change; the backup gives back within about 2 s.
    const Clock::time_point restarted = Clock::now();
    primary = play(*a_, primary_dir, "--resume", "p2.err");
    EXPECT_TRUE(said("p2.err", "took over the active backup's output", 3)) << read_text(dir_.file("p2.err"));
    ASSERT_TRUE(said("b.err", "the primary is back: following again", 5));
    const Clock::time_point given_back = Clock::now();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    frames = rx.frames();
    const Frame* back = nearest(frames, kPrimary, restarted, true);
    ASSERT_TRUE(back);
    for (const Frame& f : frames) {
        if (f.from != kBackup || f.at < back->at) continue;
        EXPECT_LT(ms_between(given_back, f.at), 100.0) << "the backup still sends after giving back";
        // Side by side, the two consoles' levels are the same within a frame or two.
        const Frame* beside = nearest(frames, kPrimary, f.at);
        EXPECT_NEAR(beside->slots[0], f.slots[0] + ms_between(f.at, beside->at) / 20.0, 2.0);
    }

    // The backup copies the primary's show over its own.
    say(backup, "take-show\n");
    EXPECT_TRUE(said("b.err", "the primary's show is in place", 5));
    EXPECT_TRUE(said("b.err", "the show is the primary's again", 2));
    EXPECT_EQ(read_bytes(backup_dir + "PRSMDATA.SCN"), read_bytes(primary_dir + "PRSMDATA.SCN"));
    say(primary, "quit\n");
    say(backup, "quit\n");
    EXPECT_EQ(pclose(primary), 0);
    EXPECT_EQ(pclose(backup), 0);
}
