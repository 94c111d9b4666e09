// prismel-show play against real peers in private namespaces: OLA's olad
// receiving sACN and unicast Art-Net, a second host that did not ask for the
// universe, and tshark decoding every packet sent.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "play_fixture.h"

using namespace prismel;
using namespace prismel::test;

namespace {

bool have(const char* what) { return system((std::string("command -v ") + what + " >/dev/null 2>&1").c_str()) == 0; }

class PlayOutput : public PlayInNamespacesTest {
protected:
    bool olad_missing() { return !have("olad") || system("id olad >/dev/null 2>&1") != 0; }

    // olad on 2.0.0.2 in b with the given plugins enabled (name -> settings),
    // every other plugin off; waits until its devices are up.
    void start_olad(const std::map<std::string, std::string>& plugins) {
        std::string cfg = dir_.file("ola");
        mkdir(cfg.c_str(), 0755);
        for (const char* p : {"artnet", "dummy", "e131", "espnet", "ftdidmx", "gpio", "karate", "kinet", "milinst",
                              "opendmx", "openpixelcontrol", "osc", "pathport", "renard", "sandnet", "shownet", "spi",
                              "stageprofi", "uartdmx", "usbdmx", "usbserial"}) {
            auto on = plugins.find(p);
            write_text(cfg + "/ola-" + p + ".conf", on == plugins.end() ? "enabled = false\n" : "enabled = true\n" + on->second);
        }
        ASSERT_EQ(system(("chown -R olad " + cfg).c_str()), 0);
        ASSERT_EQ(b_->run("ip link set lo up"), 0);
        ASSERT_EQ(b_->run("setpriv --reuid=olad --regid=nogroup --clear-groups timeout 60 olad -c " + cfg +
                          " --no-register-with-dns-sd -l 2 >" + dir_.file("olad.log") + " 2>&1 &"),
                  0);
        ASSERT_EQ(b_->run("for i in $(seq 100); do [ $(ola_dev_info 2>/dev/null | grep -c '^Device') -ge " +
                          std::to_string(plugins.size()) + " ] && exit 0; sleep 0.1; done; exit 1"),
                  0)
            << read_text(dir_.file("olad.log"));
    }
    // Patches the first port of olad's device named so to an OLA universe, as an input from the network.
    void patch(const std::string& device, int universe) {
        std::string id = b_->output("ola_dev_info | awk -F'[ :]' '/^Device [0-9]+: " + device + "/ {printf \"%s\", $2}'");
        ASSERT_FALSE(id.empty()) << b_->output("ola_dev_info");
        ASSERT_EQ(b_->run("ola_patch -d " + id + " -p 0 -i -u " + std::to_string(universe)), 0);
    }
    std::string fetch_dmx(int universe, const std::string& file) {
        return b_->exec_prefix() + "curl -s 'http://127.0.0.1:9090/get_dmx?u=" + std::to_string(universe) + "' >" +
               dir_.file(file);
    }
    // Fetches a universe from olad until it holds the cue's levels, for up to
    // 8 s: a busy machine may take a while to bring them over.
    std::string await_dmx(int universe, const std::string& file) {
        return "for i in $(seq 40); do " + fetch_dmx(universe, file) + "; grep -q '\"dmx\": \\[200,0,0,0,100,0' " +
               dir_.file(file) + " && break; sleep 0.2; done";
    }
    std::string play(const std::string& options) {
        return a_->exec_prefix() + "env PRISMEL_REMOTE_PORT=none timeout 30 " + kTool + " play " + dir_.folder() + " " +
               options + " >" + dir_.file("out.txt") + " 2>" + dir_.file("err.txt");
    }

};

}  // namespace

TEST_F(PlayOutput, OladReceivesBothProtocolsAndTsharkDecodesEveryPacket) {
    if (olad_missing() || !have("tshark")) GTEST_SKIP() << "skipped: olad (Debian package ola) or tshark is not installed";
    ASSERT_EQ(link_namespaces(*a_, "2.0.0.1/8", *b_, "2.0.0.2/8"), 0);
    start_olad({{"artnet", "ip = 2.0.0.2\nshort_name = OLA Node\nnet = 0\nsubnet = 0\noutput_ports = 1\n"},
                {"e131", "ip = 2.0.0.2\ninput_ports = 1\noutput_ports = 0\nignore_preview = true\n"}});
    patch("ArtNet", 0);
    patch("E1.31", 1);  // the sACN universe follows the Art-Net one: 0 + 1

    const std::string dev = a_->output("ip -o link show type veth | awk -F'[ :@]+' '{printf \"%s\", $2}'");
    ASSERT_FALSE(dev.empty());
    const std::string cap = dir_.file("out.pcapng");
    ASSERT_EQ(a_->run("timeout 30 tshark -i " + dev + " -w " + cap + " -a duration:12 >/dev/null 2>" +
                      dir_.file("tshark.err") + " & for i in $(seq 100); do grep -q Capturing " + dir_.file("tshark.err") +
                      " && exit 0; sleep 0.1; done; exit 1"),
              0);
    std::string script = "( sleep 1; echo 'cue 1'; " + await_dmx(0, "artnet.json") + "; " +
                         await_dmx(1, "sacn.json") + "; sleep 2; echo quit ) | " +  // a keep-alive or two more
                         play("--protocol both --interface " + dev);
    EXPECT_EQ(system(script.c_str()), 0) << read_text(dir_.file("err.txt"));
    EXPECT_NE(read_text(dir_.file("sacn.json")).find("\"dmx\": [200,0,0,0,100,0"), std::string::npos)
        << read_text(dir_.file("sacn.json"));
    EXPECT_NE(read_text(dir_.file("artnet.json")).find("\"dmx\": [200,0,0,0,100,0"), std::string::npos);
    ASSERT_EQ(a_->run("for i in $(seq 250); do pgrep -x tshark >/dev/null || pgrep -x dumpcap >/dev/null || exit 0; "
                      "sleep 0.1; done; exit 1"),
              0);

    // Every datagram is Art-Net or sACN. tshark reads sACN data packets with
    // its ACN dissector; this version leaves universe discovery undissected.
    const std::string read = "tshark -r " + cap + " --enable-heuristic acn -o acn.dmx_enable:TRUE 2>/dev/null ";
    std::istringstream lines(shell_output(read + "-Y udp -T fields -e ip.dst -e frame.protocols -e udp.length"));
    std::map<std::string, int> kinds;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream f(line);
        std::string dst, protocols, length;
        f >> dst >> protocols >> length;
        if (protocols.ends_with(":artnet") || protocols.ends_with(":artnet:dmx_chan")) ++kinds["artnet"];
        else if (protocols.ends_with(":acn") && dst == "239.255.0.1") ++kinds["sacn"];
        else if (dst == "239.255.250.214" && length == "130") ++kinds["discovery"];
        else ADD_FAILURE() << line;
    }
    EXPECT_GE(kinds["artnet"], 3);
    EXPECT_GE(kinds["sacn"], 6);
    EXPECT_GE(kinds["discovery"], 1);
    EXPECT_EQ(shell_output(read + "-Y '_ws.expert || _ws.malformed'"), "");
}

TEST_F(PlayOutput, UnicastReachesOladAndNotTheHostThatDidNotAsk) {
    if (olad_missing() || !have("python3")) GTEST_SKIP() << "skipped: olad (Debian package ola) or python3 is not installed";
    std::string why;
    auto hub = NetNamespace::create(why);
    ASSERT_TRUE(hub) << why;
    ASSERT_EQ(bridge_namespaces(*a_, "2.0.0.1/8", {{b_.get(), "2.0.0.2/8"}, {hub.get(), "2.0.0.3/8"}}), 0);
    start_olad({{"artnet", "ip = 2.0.0.2\nshort_name = OLA Node\nnet = 0\nsubnet = 0\noutput_ports = 1\n"}});
    patch("ArtNet", 0);

    // The other host answers polls with an output port on universe 9 and
    // notes the time of every ArtDmx it gets.
    write_text(dir_.file("other.py"), R"(import socket, sys, time
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.setsockopt(socket.SOL_SOCKET, socket.SO_BROADCAST, 1)
s.bind(("", 6454)); s.settimeout(0.2)
reply = bytearray(239); reply[0:8] = b"Art-Net\0"; reply[8:10] = b"\x00\x21"
reply[10:14] = bytes([2, 0, 0, 3]); reply[14:16] = b"\x36\x19"; reply[26:31] = b"Other"
reply[173] = 1; reply[174] = 0x80; reply[190] = 9
out = open(sys.argv[1], "w"); end = time.time() + float(sys.argv[2])
open(sys.argv[1] + ".ready", "w").close()
while time.time() < end:
    try: d, peer = s.recvfrom(2048)
    except socket.timeout: continue
    if d[:8] != b"Art-Net\0" or len(d) < 10: continue
    if d[8:10] == b"\x00\x20": s.sendto(bytes(reply), ("2.255.255.255", 6454))
    if d[8:10] == b"\x00\x50": out.write("%.3f\n" % time.time()); out.flush()
)");
    ASSERT_EQ(hub->run("timeout 20 python3 " + dir_.file("other.py") + " " + dir_.file("other.txt") + " 12 & " +
                       "for i in $(seq 100); do [ -e " + dir_.file("other.txt.ready") + " ] && exit 0; sleep 0.1; done; exit 1"),
              0);

    // Once olad is listed, the cue changes the levels: they go to olad only.
    const std::string out = dir_.file("out.txt");
    std::string script = "( for i in $(seq 50); do grep -q 'node 2.0.0.2' " + out + " && break; sleep 0.1; done; " +
                         "sleep 0.2; date +%s.%N >" + dir_.file("listed.txt") + "; echo 'cue 1'; sleep 2.5; " +
                         fetch_dmx(0, "dmx.json") + "; echo quit ) | " + play("--delivery unicast");
    EXPECT_EQ(system(script.c_str()), 0) << read_text(dir_.file("err.txt"));
    EXPECT_NE(read_text(dir_.file("dmx.json")).find("\"dmx\": [200,0,0,0,100,0"), std::string::npos)
        << read_text(dir_.file("dmx.json"));
    const std::string nodes = read_text(out);
    EXPECT_NE(nodes.find("node 2.0.0.2 OLA Node *\n"), std::string::npos) << nodes;
    EXPECT_NE(nodes.find("node 2.0.0.3 Other\n"), std::string::npos) << nodes;

    const double listed = std::stod(read_text(dir_.file("listed.txt")));
    int before = 0, after = 0;
    std::istringstream times(read_text(dir_.file("other.txt")));
    for (double t; times >> t;) (t < listed ? before : after)++;
    EXPECT_GE(before, 1) << "the frame sent before any node answered is broadcast";
    EXPECT_EQ(after, 0) << "no ArtDmx for the host that did not ask";
}
