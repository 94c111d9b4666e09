// prismel-show play in private namespaces: against a real Art-Net node (OLA's
// olad) and with an added alias address that must go when it is stopped.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "play_fixture.h"

using namespace prismel;
using namespace prismel::test;

namespace {

class PlayNetns : public PlayInNamespacesTest {};

// Art-Net only, on 2.0.0.2; every other plugin off.
std::string olad_config(const TempDir& dir) {
    std::string cfg = dir.file("ola");
    mkdir(cfg.c_str(), 0755);
    for (const char* p : {"dummy", "e131", "espnet", "ftdidmx", "gpio", "karate", "kinet", "milinst", "opendmx",
                          "openpixelcontrol", "osc", "pathport", "renard", "sandnet", "shownet", "spi",
                          "stageprofi", "uartdmx", "usbdmx", "usbserial"}) {
        write_text(cfg + "/ola-" + p + ".conf", "enabled = false\n");
    }
    write_text(cfg + "/ola-artnet.conf",
               "enabled = true\nip = 2.0.0.2\nshort_name = OLA Node\nlong_name = OLA test node\n"
               "net = 0\nsubnet = 0\noutput_ports = 1\n");
    return cfg;
}

}  // namespace

TEST_F(PlayNetns, RealNodeReceivesTheCueAndIsListed) {
    if (system("command -v olad >/dev/null && id olad >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "skipped: olad (Debian package ola) is not installed";
    }
    ASSERT_EQ(link_namespaces(*a_, "2.0.0.1/8", *b_, "2.0.0.2/8"), 0);
    ASSERT_EQ(b_->run("ip link set lo up"), 0);
    std::string cfg = olad_config(dir_);
    ASSERT_EQ(system(("chown -R olad " + cfg).c_str()), 0);
    // olad refuses root: it runs as its own user, bounded in time.
    ASSERT_EQ(b_->run("setpriv --reuid=olad --regid=nogroup --clear-groups timeout 60 olad -c " + cfg +
                      " --no-register-with-dns-sd -l 2 >" + dir_.file("olad.log") + " 2>&1 &"),
              0);
    ASSERT_EQ(b_->run("for i in $(seq 100); do ola_dev_info 2>/dev/null | grep -q ArtNet && exit 0; sleep 0.1; "
                      "done; exit 1"),
              0)
        << read_text(dir_.file("olad.log"));
    // olad's universe 0 listens on Art-Net port-address 0, the console's default.
    ASSERT_EQ(b_->run("ola_patch -d 1 -p 0 -i -u 0"), 0);

    std::string play = a_->exec_prefix() + "env PRISMEL_REMOTE_PORT=none timeout 30 " + kTool + " play " + dir_.folder();
    std::string fetch = b_->exec_prefix() + "curl -s 'http://127.0.0.1:9090/get_dmx?u=0' >" + dir_.file("dmx.json");
    std::string script = "( sleep 1; echo 'cue 1'; sleep 3; " + fetch + "; echo 'cue 3000'; echo quit ) | " + play + " >" +
                         dir_.file("out.txt") + " 2>" + dir_.file("err.txt");
    EXPECT_EQ(system(script.c_str()), 0) << read_text(dir_.file("err.txt"));

    std::string dmx = read_text(dir_.file("dmx.json"));
    EXPECT_NE(dmx.find("\"dmx\": [200,0,0,0,100,0"), std::string::npos) << dmx;
    EXPECT_EQ(read_text(dir_.file("out.txt")), "node 2.0.0.2 OLA Node *\n") << read_text(dir_.file("err.txt"));
    // A command the run screen would refuse is refused with its words.
    EXPECT_NE(read_text(dir_.file("err.txt")).find("prismel-show: 該当するｷｭｰNo.はありません\n"), std::string::npos);
}

TEST_F(PlayNetns, StopSignalRemovesTheAddedAlias) {
    ASSERT_EQ(link_namespaces(*a_, "10.1.2.3/24", *b_, ""), 0);
    for (const char* sig : {"TERM", "INT"}) {
        std::string rc = dir_.file("rc");
        std::string cmd = "timeout 20 " + kTool + " play " + dir_.folder() + " </dev/null >/dev/null 2>&1 & pid=$!; " +
                          "for i in $(seq 100); do ip -4 -o addr | grep -q 'inet 2.1.2.3/8' && break; sleep 0.05; "
                          "done; ip -4 -o addr >" + dir_.file("before") + "; kill -" + sig + " $pid; wait $pid; " +
                          "echo $? >" + rc + "; ip -4 -o addr >" + dir_.file("after");
        ASSERT_EQ(a_->run(cmd), 0);
        EXPECT_NE(read_text(dir_.file("before")).find("inet 2.1.2.3/8 brd 2.255.255.255"), std::string::npos) << sig;
        EXPECT_EQ(read_text(dir_.file("after")).find("2.1.2.3"), std::string::npos) << sig;
        EXPECT_EQ(read_text(rc), "0\n") << sig;
    }
}

TEST_F(PlayNetns, RunsForTheGivenSecondsAfterTheEndOfInput) {
    ASSERT_EQ(a_->run("ip link set lo up"), 0);
    std::string cmd = "start=$(date +%s%N); timeout 10 " + kTool + " play " + dir_.folder() +
                      " --seconds 1.5 --universe 3 </dev/null >/dev/null 2>&1; rc=$?; " +
                      "echo $rc $(( ($(date +%s%N) - start) / 100000000 ))";
    std::string out = a_->output(cmd);
    int rc = -1, tenths = -1;
    ASSERT_EQ(sscanf(out.c_str(), "%d %d", &rc, &tenths), 2) << out;
    EXPECT_EQ(rc, 0);
    EXPECT_GE(tenths, 15);
    EXPECT_LE(tenths, 30);
}

TEST(PlayArgs, BadArgumentsGiveTheUsage) {
    for (const char* args : {"", " DIR --seconds", " DIR --seconds 0", " DIR --universe 40000", " DIR --what 1",
                             " DIR --delivery multicast", " DIR --protocol dmx", " DIR --sacn-universe 0",
                             " DIR --sacn-universe 64000", " DIR --interface"}) {
        std::string cmd = "unshare -n " + kTool + " play" + args + " </dev/null 2>&1; echo rc=$?";
        std::string out = shell_output(cmd);
        EXPECT_NE(out.find("usage: prismel-show play"), std::string::npos) << args;
        EXPECT_NE(out.find("rc=2"), std::string::npos) << args;
    }
}

// --help lists play's options, and a command's --help is never taken for a
// folder or a file of that name.
TEST(PlayArgs, HelpListsThePlayOptionsAndCommandsTakeHelpAsAQuestion) {
    TempDir dir;
    for (const std::string args : {"--help", "play --help", "play -h", "init --help", "check --help"}) {
        const std::string out =
            shell_output("cd " + dir.folder() + " && unshare -n " + kTool + " " + args + " 2>&1; echo rc=$?");
        const bool play_options = args == "--help" || args.rfind("play", 0) == 0;
        for (const char* option : {"--interface", "--delivery", "--protocol", "--sacn-universe"})
            EXPECT_EQ(out.find(option) != std::string::npos, play_options) << args << ": " << option;
        EXPECT_NE(out.find("rc=0"), std::string::npos) << args << ": " << out;
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}
