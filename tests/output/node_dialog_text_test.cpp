#include "output/node_dialog_text.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/text_codec.h"

namespace prismel::artnet {
namespace {

NodeEntry node(uint8_t a, uint8_t b, uint8_t c, uint8_t d, const char* short_name) {
    NodeEntry n{};
    const uint8_t ip[4] = {a, b, c, d};
    std::memcpy(n.ip, ip, 4);
    std::strncpy(n.short_name, short_name, sizeof n.short_name - 1);
    return n;
}

TEST(NodeDialogText, PortChoiceSplitsTheUniverseAndJoinsItAgain) {
    struct Case {
        int universe, sub, id;
    } cases[] = {{0x3A, 3, 0xA}, {0, 0, 0}, {0xFF, 15, 15}, {0x13A, 3, 0xA}, {-5, 15, 0xB}};
    for (const Case& c : cases) {
        const PortChoice p = port_choice(c.universe);
        EXPECT_EQ(p.sub_net, c.sub) << c.universe;
        EXPECT_EQ(p.id, c.id) << c.universe;
    }
    EXPECT_EQ(tx_universe_of({3, 0}), 0x30);
    EXPECT_EQ(tx_universe_of({15, 15}), 0xFF);
}

TEST(NodeDialogText, ListLineMarksTheNodeAndPadsTheAddress) {
    NodeEntry n = node(2, 0, 0, 15, "Stage left");
    EXPECT_EQ(node_line(n), "   2.  0.  0. 15 : Stage left");
    n.marked = 1;
    EXPECT_EQ(node_line(n), "*  2.  0.  0. 15 : Stage left");
    EXPECT_EQ(node_address_text(node(255, 255, 255, 255, "")), "255.255.255.255");
}

TEST(NodeDialogText, NamesAreShiftJisAndNeverReadPastTheirField) {
    NodeEntry n = node(2, 1, 2, 3, sj("表示ソ能"));
    EXPECT_EQ(to_utf8(node_line(n)), "   2.  1.  2.  3 : 表示ソ能");
    std::memset(n.short_name, 'S', sizeof n.short_name);  // no terminator
    std::memset(n.long_name, 'L', sizeof n.long_name);
    EXPECT_EQ(field_text(n.short_name), std::string(18, 'S'));
    EXPECT_EQ(node_line(n), "   2.  1.  2.  3 : " + std::string(18, 'S'));
}

TEST(NodeDialogText, PortCellsShowSubNetAndIdOfTheirDirection) {
    NodeEntry n = node(2, 0, 0, 9, "");
    n.port_types[0] = kPortOutput;
    n.sw_out[0] = 0x15;
    n.sw_in[0] = 0x22;  // not an input: not shown
    n.port_types[1] = kPortInput | kPortOutput;
    n.sw_in[1] = 0x0A;
    n.sw_out[1] = 0xFB;
    n.sub_switch = 0x03;
    EXPECT_EQ(port_cell_text(n, 0, true), "1 : 5");
    EXPECT_EQ(port_cell_text(n, 0, false), "");
    EXPECT_EQ(port_cell_text(n, 1, false), "3 : A") << "the sub-net given as SubSwitch";
    EXPECT_EQ(port_cell_text(n, 1, true), "F : B");
    EXPECT_EQ(port_cell_text(n, 2, true), "");
    EXPECT_EQ(port_cell_text(n, 4, true), "");
    EXPECT_EQ(port_cell_text(n, -1, false), "");
}

TEST(NodeDialogText, CellLooksAndCentring) {
    EXPECT_EQ(cell_look(GridKind::info, 0, 2, true), CellLook::heading);
    EXPECT_EQ(cell_look(GridKind::info, 1, 0, true), CellLook::text);
    EXPECT_EQ(cell_look(GridKind::info, 1, 3, false), CellLook::empty);
    EXPECT_EQ(cell_look(GridKind::ports, 2, 0, true), CellLook::heading);
    EXPECT_EQ(cell_look(GridKind::ports, 0, 1, true), CellLook::heading);
    EXPECT_EQ(cell_look(GridKind::ports, 1, 1, false), CellLook::empty);
    EXPECT_EQ(cell_look(GridKind::ports, 4, 2, true), CellLook::text);
    EXPECT_EQ(centred_text_left(100, 64, 31), 116);
    EXPECT_EQ(centred_text_left(100, 64, 67), 99) << "a half pixel dropped toward zero";
}

TEST(NodeDialogText, ReachFollowsDeliveryProtocolAndWhoWantsTheUniverse) {
    NodeEntry wants = node(2, 0, 0, 8, "W");
    wants.port_types[0] = kPortOutput;
    wants.sw_out[0] = 3;
    const NodeEntry other = node(2, 0, 0, 9, "O");
    OutputSettings s;
    EXPECT_EQ(node_reach(other, s, 3, false), Reach::broadcast);
    s.delivery = Delivery::unicast;
    EXPECT_EQ(node_reach(wants, s, 3, true), Reach::unicast);
    EXPECT_EQ(node_reach(other, s, 3, true), Reach::none) << "unicast goes to the others only";
    EXPECT_EQ(node_reach(other, s, 3, false), Reach::broadcast) << "nobody asked: broadcast";
    EXPECT_EQ(node_reach(wants, s, 4, false), Reach::broadcast);
    s.protocol = Protocol::sacn;
    EXPECT_EQ(node_reach(wants, s, 3, true), Reach::none);
    EXPECT_EQ(node_line(wants, Reach::unicast), "   2.  0.  0.  8 : W  " + std::string(sj("ユニキャスト")));
    EXPECT_EQ(node_line(wants, Reach::none), "   2.  0.  0.  8 : W");
}

TEST(NodeDialogText, InterfaceItemsKeepTheChosenOneEvenWhenMissing) {
    const std::vector<InterfaceOption> machine{{"eth0", {{2, 0, 0, 1}}, true}};
    auto texts = [](const std::vector<InterfaceItem>& items) {
        std::vector<std::string> out;
        for (auto& i : items) out.push_back(i.text + "=" + i.value);
        return out;
    };
    const std::string automatic = std::string(sj("自動")) + "=";
    EXPECT_EQ(texts(interface_items(machine, "")), (std::vector<std::string>{automatic, "eth0 (2.0.0.1)=eth0"}));
    EXPECT_EQ(texts(interface_items(machine, "eth0")), (std::vector<std::string>{automatic, "eth0 (2.0.0.1)=eth0"}));
    EXPECT_EQ(texts(interface_items(machine, "2.0.0.1")).back(), "2.0.0.1=2.0.0.1");
    EXPECT_EQ(texts(interface_items(machine, "tun0")).back(), "tun0 (" + std::string(sj("なし")) + ")=tun0");
}

TEST(NodeDialogText, TheNetworkListAndTheOutputLinesOfEachOutput) {
    const Protocol usbpro_ola = Protocol::usbpro | Protocol::ola;
    struct Row {
        Protocol network;  // what the item stands for
        int index;
    };
    for (Row r : {Row{Protocol::artnet, 0}, {Protocol::sacn, 1}, {Protocol::both, 2}, {Protocol{}, 3}}) {
        EXPECT_EQ(network_index(r.network | usbpro_ola), r.index);
        EXPECT_EQ(with_network_index(Protocol::sacn | usbpro_ola, r.index), r.network | usbpro_ola);
    }
    EXPECT_EQ(with_network_index(Protocol::both | Protocol::usbpro, 3), Protocol::usbpro);
    EXPECT_EQ(network_item(3), sj("なし"));

    const std::string u = sj("ユニバース "), dropped = sj("欠落");
    struct Line {
        OutputReport report;
        std::string text;
    };
    for (const Line& l : {Line{{Protocol::artnet, OutputStatus::ok, "2.0.0.1", 0}, "Art-Net     2.0.0.1  DMX:OK"},
                          Line{{Protocol::usbpro, OutputStatus::no_device, "", 0}, "USB DMX Pro " + std::string(sj("自動")) + "  DMX:NoDev"},
                          Line{{Protocol::usbpro, OutputStatus::ok, "/dev/ttyUSB0", 7},
                               "USB DMX Pro /dev/ttyUSB0  DMX:OK  " + dropped + " 7"},
                          Line{{Protocol::ola, OutputStatus::no_ola, "3", 0}, "OLA         " + u + "3  DMX:NoOLA"}})
        EXPECT_EQ(output_line(l.report), l.text);
}

}  // namespace
}  // namespace prismel::artnet
