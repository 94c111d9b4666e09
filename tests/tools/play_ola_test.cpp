// prismel-show play sending to OLA's daemon in a private namespace: olad is
// missing at first, started, stopped and started again; the levels are read
// back with OLA's own recorder.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "play_fixture.h"

using namespace prismel;
using namespace prismel::test;

namespace {

class PlayOla : public ::testing::Test {
protected:
    void SetUp() override {
        if (system("command -v olad >/dev/null && command -v ola_recorder >/dev/null && id olad >/dev/null 2>&1"))
            GTEST_SKIP() << "skipped: olad (Debian package ola) is not installed";
        std::string why;
        ns_ = NetNamespace::create(why);
        if (!ns_) GTEST_SKIP() << "skipped: " << why;
        ASSERT_EQ(ns_->run("ip link set lo up"), 0);
        chmod(dir_.path().c_str(), 0755);
        write_one_cue_show(dir_.folder());
        // olad with the dummy device alone, its port patched to universe 3.
        const std::string cfg = dir_.file("ola");
        mkdir(cfg.c_str(), 0755);
        for (const char* p : {"artnet", "e131", "espnet", "ftdidmx", "gpio", "karate", "kinet", "milinst", "opendmx",
                              "openpixelcontrol", "osc", "pathport", "renard", "sandnet", "shownet", "spi",
                              "stageprofi", "uartdmx", "usbdmx", "usbserial"})
            write_text(cfg + "/ola-" + p + ".conf", "enabled = false\n");
        write_text(cfg + "/ola-dummy.conf", "enabled = true\n");
        ASSERT_EQ(system(("chown -R olad " + cfg).c_str()), 0);
    }
    void start_olad() {
        ASSERT_EQ(ns_->run("timeout 60 setpriv --reuid=olad --regid=nogroup --clear-groups olad -c " +
                           dir_.file("ola") + " --no-register-with-dns-sd -l 2 >>" + dir_.file("olad.log") +
                           " 2>&1 & echo $! >" + dir_.file("olad.pid") +
                           "; for i in $(seq 100); do ola_dev_info 2>/dev/null | grep -q '^Device' && exit 0; "
                           "sleep 0.1; done; exit 1"),
                  0)
            << read_text(dir_.file("olad.log"));
        ASSERT_EQ(ns_->run("ola_patch -d 1 -p 0 -u 3"), 0);
    }
    void stop_olad() {
        ASSERT_EQ(ns_->run("kill $(cat " + dir_.file("olad.pid") +
                           "); for i in $(seq 100); do ola_dev_info >/dev/null 2>&1 || exit 0; sleep 0.1; done; exit 1"),
                  0);
    }
    // The status lines play wrote, counted.
    int said(const std::string& text) {
        const std::string err = read_text(dir_.file("err.txt"));
        int n = 0;
        for (size_t at = 0; (at = err.find(text, at)) != std::string::npos; at += text.size()) ++n;
        return n;
    }
    bool eventually_said(const std::string& text, int times) {
        for (int i = 0; i < 100 && said(text) < times; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return said(text) >= times;
    }
    // What olad receives for universe 3 in two seconds, by OLA's recorder
    // (which saves what it has when interrupted).
    std::string recorded() {
        const std::string file = dir_.file("recorded.txt");
        (void)ns_->run("rm -f " + file + "; timeout -s INT 2 ola_recorder -r " + file + " -u 3 >/dev/null 2>&1");
        return read_text(file);
    }

    std::unique_ptr<NetNamespace> ns_;
    TempDir dir_;
};

}  // namespace

TEST_F(PlayOla, OladReceivesTheLevelsAndIsFoundAgainWhenItComesBack) {
    const std::string commands = dir_.file("commands");
    ASSERT_EQ(mkfifo(commands.c_str(), 0600), 0);
    const int to_play = open(commands.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(to_play, 0);
    ASSERT_EQ(ns_->run("PRISMEL_REMOTE_PORT=none timeout 60 " + kTool + " play " + dir_.folder() +
                       " --protocol ola --ola-universe 3 <" + commands + " >/dev/null 2>" + dir_.file("err.txt") + " &"),
              0);
    ASSERT_EQ(write(to_play, "cue 1\n", 6), 6);
    EXPECT_TRUE(eventually_said("DMX:NoOLA (olad does not answer)", 1)) << read_text(dir_.file("err.txt"));

    const std::string levels = "\n3 200,0,0,0,100,0,";
    start_olad();
    EXPECT_TRUE(eventually_said("DMX:OK", 1)) << "reconnected within a second";
    EXPECT_NE(recorded().find(levels), std::string::npos) << "sent at least once a second";

    stop_olad();
    EXPECT_TRUE(eventually_said("DMX:NoOLA", 2)) << read_text(dir_.file("err.txt"));
    start_olad();
    EXPECT_TRUE(eventually_said("DMX:OK", 2)) << read_text(dir_.file("err.txt"));
    EXPECT_NE(recorded().find(levels), std::string::npos) << "a restarted olad has the levels again";

    ASSERT_EQ(write(to_play, "quit\n", 5), 5);
    EXPECT_TRUE(eventually_said("ola 3 DMX:OK, 0 frames dropped", 1)) << read_text(dir_.file("err.txt"));
    close(to_play);
}
