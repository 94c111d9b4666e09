// prismel-show play cued by a show-control system in private namespaces: OSC
// from liblo's own sender (oscsend) and MIDI Show Control in UDP datagrams
// move the cue list, the levels are checked on the wire (ArtDmx), a
// subscriber (oscdump) hears the cues, and a sender outside --osc-allow
// changes nothing.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "play_fixture.h"

using namespace prismel;
using namespace prismel::test;

namespace {

bool have(const char* what) { return system((std::string("command -v ") + what + " >/dev/null 2>&1").c_str()) == 0; }

// Cue n (1-3) cuts fixture 1 (slot 1) to the size of scene n, named "Scene A".."Scene C".
void write_three_cue_show(const std::string& folder) {
    auto show = std::make_unique<ShowData>();
    for (int f = 0; f < kFixtures; ++f) show->patch[f] = PatchRecord{1, int16_t(f == 0 ? 0 : kNone)};
    const uint8_t sizes[] = {200, 50, 120};
    for (int c = 0; c < 3; ++c) {
        show->scenes[c].size[0] = sizes[c];
        std::snprintf(show->scenes[c].name, sizeof show->scenes[c].name, "Scene %c", 'A' + c);
        CueRecord& cue = show->cues[c];
        cue.number = int16_t(10 * (c + 1));
        cue.scene = int16_t(c);
        cue.scene_xtime = 0;
        cue.chase = kNone;
    }
    ASSERT_EQ(write_all_tables(*show, folder), 0);
}

class PlayRemote : public PlayInNamespacesTest {
protected:
    // Waits up to `seconds` for an ArtDmx whose slot 1 holds level (hex),
    // arrived after the line count `after` of the receiver's file.
    int wait_slot1(const std::string& hex, int after = 0, int seconds = 5) {
        return b_->run("for i in $(seq " + std::to_string(seconds * 20) + "); do tail -n +" + std::to_string(after + 1) + " " + dir_.file("rx.txt") +
                       " | awk '{print substr($3, 1, 2)}' | grep -qx " + hex + " && exit 0; sleep 0.05; done; exit 1");
    }
    int lines() { return std::stoi(b_->output("wc -l <" + dir_.file("rx.txt"))); }
    std::string osc(const NetNamespace& from, const std::string& args) {
        return from.exec_prefix() + "oscsend 2.0.0.1 8000 " + args;
    }
    std::string msc(const NetNamespace& from, const std::string& hex) {
        return from.exec_prefix() + "python3 -c \"import socket; socket.socket(socket.AF_INET, socket.SOCK_DGRAM)"
               ".sendto(bytes.fromhex('" + hex + "'), ('2.0.0.1', 6004))\"";
    }
};

}  // namespace

TEST_F(PlayRemote, OscAndMscMoveTheCueListOnTheWire) {
    if (!have("oscsend") || !have("oscdump") || !have("python3"))
        GTEST_SKIP() << "skipped: oscsend/oscdump (Debian package liblo-tools) or python3 is not installed";
    write_three_cue_show(dir_.folder());
    std::string why;
    auto outside = NetNamespace::create(why);
    ASSERT_TRUE(outside) << why;
    ASSERT_EQ(bridge_namespaces(*a_, "2.0.0.1/8", {{b_.get(), "2.0.0.2/8"}, {outside.get(), "2.0.0.3/8"}}), 0);
    ASSERT_EQ(b_->run(": >" + dir_.file("rx.txt") + "; timeout 40 python3 " PRISMEL_SOURCE_DIR "/scripts/e2e/artdmx_rx.py " + dir_.file("rx.txt") +
                      " & timeout 40 oscdump -L 9001 >" + dir_.file("feedback.txt") + " 2>&1 &"),
              0);
    ASSERT_EQ(a_->run("env PRISMEL_REMOTE_PORT=none timeout 40 " + kTool + " play " + dir_.folder() +
                      " --seconds 35 --osc-port 8000 --msc-udp-port 6004 --osc-allow 2.0.0.2 </dev/null >" +
                      dir_.file("out.txt") + " 2>" + dir_.file("err.txt") + " & echo $! >" + dir_.file("pid")),
              0);
    ASSERT_EQ(a_->run("for i in $(seq 100); do ss -lun | grep -q ':8000 ' && ss -lun | grep -q ':6004 ' && exit 0; "
                      "sleep 0.05; done; exit 1"),
              0)
        << read_text(dir_.file("err.txt"));

    // Outside the allow list: nothing moves, so the frame stays at zero.
    ASSERT_EQ(system(osc(*outside, "/prismel/go").c_str()), 0);
    ASSERT_EQ(system(osc(*b_, "/prismel/subscribe i 9001").c_str()), 0);
    ASSERT_EQ(system(osc(*b_, "/prismel/go").c_str()), 0);
    EXPECT_EQ(wait_slot1("c8"), 0) << "cue 1 (200) on the wire";
    EXPECT_EQ(system(msc(*b_, "f07f01020101330031320000f7").c_str()), 0);  // GO cue 3, list 12
    EXPECT_EQ(wait_slot1("78"), 0) << "cue 3 (120) on the wire";
    const int mark = lines();
    ASSERT_EQ(system(osc(*outside, "/prismel/standby").c_str()), 0);
    ASSERT_EQ(system(msc(*outside, "f07f7f02010af7").c_str()), 0);  // RESET to every device
    ASSERT_EQ(system(osc(*b_, "/prismel/cue/2/go f 1.0").c_str()), 0);
    EXPECT_EQ(wait_slot1("32", mark), 0) << "cue 2 (50) on the wire";
    EXPECT_NE(wait_slot1("00", mark, 1), 0) << "a sender outside the allow list reached the stage";
    ASSERT_EQ(system(("kill -TERM $(cat " + dir_.file("pid") + ")").c_str()), 0);

    const std::string feedback = read_text(dir_.file("feedback.txt"));
    for (const char* want : {"/prismel/cue/current ss \"\" \"\"", "/prismel/cue/next ss \"1\" \"Scene A\"",
                             "/prismel/state s \"standby\"", "/prismel/cue/current ss \"1\" \"Scene A\"",
                             "/prismel/cue/current ss \"3\" \"Scene C\"", "/prismel/cue/next ss \"\" \"\"",
                             "/prismel/cue/current ss \"2\" \"Scene B\"", "/prismel/state s \"running\""})
        EXPECT_NE(feedback.find(want), std::string::npos) << want << "\n" << feedback;
}
