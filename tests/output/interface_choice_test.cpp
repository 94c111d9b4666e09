#include "output/interface_choice.h"

#include <gtest/gtest.h>

#include "fake_network.h"
#include "output/output_status.h"

using namespace prismel::artnet;
using prismel::test::row;

TEST(InterfaceChoice, FoundByNameLabelOrAddress) {
    LocalAddress lo = row({{127, 0, 0, 1}}, 8, 1, true, true);
    LocalAddress a = row({{10, 0, 0, 5}}, 24, 2);
    LocalAddress alias = row({{2, 0, 0, 5}}, 8, 2);
    alias.if_name = "eth2:0";
    LocalAddress down = row({{192, 168, 7, 1}}, 24, 4);
    down.running = false;
    const std::vector<LocalAddress> rows{lo, a, alias, down};
    struct Case {
        const char* wanted;
        OutputStatus status;
        const char* own;
        const char* device;
    };
    for (const Case& c : {Case{"eth2", OutputStatus::ok, "10.0.0.5", "eth2"},
                          Case{"2.0.0.5", OutputStatus::ok, "2.0.0.5", "eth2"},
                          Case{"eth4", OutputStatus::link_down, "192.168.7.1", "eth4"},
                          Case{"eth9", OutputStatus::no_interface, "0.0.0.0", ""},
                          Case{"10.0.0.6", OutputStatus::no_interface, "0.0.0.0", ""},
                          Case{"eth", OutputStatus::no_interface, "0.0.0.0", ""}}) {
        InterfaceBinding b = resolve_interface(rows, c.wanted);
        EXPECT_EQ(b.status, c.status) << c.wanted;
        EXPECT_EQ(dotted(b.own), c.own) << c.wanted;
        EXPECT_EQ(b.device, c.device) << c.wanted;
    }
    std::vector<InterfaceOption> options = interface_options(rows);
    ASSERT_EQ(options.size(), 2u);
    EXPECT_EQ(options[0].name, "eth2");
    EXPECT_EQ(dotted(options[0].address), "10.0.0.5");
    EXPECT_FALSE(options[1].usable);
}

TEST(InterfaceChoice, DottedAddressesOnly) {
    Ipv4 a;
    EXPECT_TRUE(parse_ipv4("2.0.0.255", a));
    EXPECT_EQ(dotted(a), "2.0.0.255");
    for (const char* bad : {"", "2.0.0", "2.0.0.256", "2.0.0.1.", "a.b.c.d", "2..0.1", "0002.0.0.1", "eth0"})
        EXPECT_FALSE(parse_ipv4(bad, a)) << bad;
}

TEST(OutputStatusText, OneShortTextForEachState) {
    EXPECT_STREQ(dmx_status_text(OutputStatus::ok), "DMX:OK");
    EXPECT_STREQ(dmx_status_text(OutputStatus::no_socket), "DMX:NG");
    EXPECT_STREQ(dmx_status_text(OutputStatus::no_interface), "DMX:NoIF");
    EXPECT_STREQ(dmx_status_text(OutputStatus::link_down), "DMX:NoLink");
}
