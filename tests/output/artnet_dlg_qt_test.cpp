// The node dialogs offscreen, on a node list filled by the test: nothing is
// sent. With PRISMEL_NODE_DIALOG_PNG set to a folder both dialogs are saved
// there as pictures to be looked at.
#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <cstring>

#include "output/artnet_dlg_qt.h"
#include "output/artnet_prop_dlg_qt.h"
#include "platform/text_codec.h"
#include "support/qt_app.h"

namespace prismel::test {
namespace {

using artnet::NodeEntry;

struct FakeLink : NodeLink {
    void set_universe(int u) override {
        universe_ = u;
        ++writes;
    }
    int universe() const override { return universe_; }
    artnet::NodeList* nodes() override { return &list; }
    std::string own_address_text() const override { return "2.0.0.1"; }
    void scan() override {
        list.clear();
        ++scans;
    }
    artnet::OutputSettings output_settings() const override { return settings; }
    void set_output_settings(const artnet::OutputSettings& s) override {
        settings = s;
        ++setting_writes;
    }
    std::vector<artnet::InterfaceOption> interfaces() const override { return machine; }
    std::vector<artnet::OutputReport> output_reports() const override { return reports; }
    std::vector<artnet::OutputReport> reports;
    artnet::OutputSettings settings;
    int setting_writes = 0;
    std::vector<artnet::InterfaceOption> machine;
    int universe_ = 0;
    int writes = 0;
    int scans = 0;
    artnet::NodeList list;
};

NodeEntry node(uint8_t last, const char* short_name, bool marked = false) {
    NodeEntry n{};
    const uint8_t ip[4] = {2, 0, 0, last};
    std::memcpy(n.ip, ip, 4);
    std::strncpy(n.short_name, short_name, sizeof n.short_name - 1);
    std::strncpy(n.long_name, sj("表示ノード Long"), sizeof n.long_name - 1);
    std::strncpy(n.node_report, "#0001 [0042] Power On Tests successful", sizeof n.node_report - 1);
    n.marked = marked ? 1 : 0;
    return n;
}

// An output-only node: port 1 outputs sub-net 1, universe 5.
NodeEntry output_node() {
    NodeEntry n = node(10, sj("表示ソ能"), true);
    n.num_ports = 1;
    n.port_types[0] = artnet::kPortOutput;
    n.sw_out[0] = 0x15;
    return n;
}

QStringList lines(const QListWidget* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i) out << box->item(i)->text();
    return out;
}

QRgb cell_colour(QTableWidget* grid, int row, int column) {
    const QImage img = grid->viewport()->grab().toImage();
    const QRect r = grid->visualItemRect(grid->item(row, column));
    return img.pixel(r.left() + 2, r.bottom() - 2);  // below the text
}

void save_if_asked(QWidget& w, const char* name) {
    if (const char* dir = std::getenv("PRISMEL_NODE_DIALOG_PNG"))
        w.grab().save(QString::fromUtf8(dir) + "/" + QString::fromLatin1(name));
}

class NodeDialog : public ::testing::Test {
protected:
    NodeDialog() { qt_app(); }
    FakeLink link;
};

TEST_F(NodeDialog, OpensOnTheOutputPortAndTheOperatorsChoiceSetsIt) {
    link.universe_ = 0x3A;
    TArtNetDlg dlg(link);
    EXPECT_EQ(dlg.windowTitle().toStdString(), "DMXインターフェイスの設定");
    ASSERT_EQ(dlg.OsubComboBox->count(), 16);
    EXPECT_EQ(dlg.OidComboBox->itemText(15), "F");
    dlg.show();
    EXPECT_EQ(dlg.OsubComboBox->currentText(), "3");
    EXPECT_EQ(dlg.OidComboBox->currentText(), "A");
    EXPECT_EQ(dlg.IpAdrLabel->text(), "IP: 2.0.0.1");
    EXPECT_EQ(link.writes, 0) << "opening changes nothing";
    EXPECT_TRUE(dlg.Timer1->isActive());

    dlg.OidComboBox->setCurrentIndex(0);
    emit dlg.OidComboBox->activated(0);
    EXPECT_EQ(link.universe_, 0x30);
    dlg.OsubComboBox->setCurrentIndex(15);
    emit dlg.OsubComboBox->activated(15);
    EXPECT_EQ(link.universe_, 0xF0);
    dlg.hide();
    EXPECT_FALSE(dlg.Timer1->isActive());
}

TEST_F(NodeDialog, ScanWithNoNodesLeavesTheListEmptyAndDetailsDisabled) {
    link.list.add(node(20, "Old"));
    TArtNetDlg dlg(link);
    dlg.show();
    ASSERT_EQ(dlg.NodeListBox->count(), 1);
    EXPECT_FALSE(dlg.PropBtn->isEnabled()) << "nothing selected";
    dlg.NodeListBox->setCurrentRow(0);
    EXPECT_TRUE(dlg.PropBtn->isEnabled());

    dlg.ScanBtn->click();
    EXPECT_EQ(link.scans, 1);
    EXPECT_EQ(dlg.NodeListBox->count(), 0);
    EXPECT_FALSE(dlg.PropBtn->isEnabled());
    dlg.Timer1Timer();
    EXPECT_EQ(dlg.NodeListBox->count(), 0);
    EXPECT_FALSE(dlg.PropBtn->isEnabled());
}

TEST_F(NodeDialog, ListsMarkedNodesWithAStarAndRebuildsOnlyWhenChanged) {
    link.list.add(node(3, "Plain"));
    link.list.add(output_node());
    TArtNetDlg dlg(link);
    dlg.show();
    EXPECT_EQ(lines(dlg.NodeListBox), QStringList({"   2.  0.  0.  3 : Plain  ブロードキャスト",
                                                   "*  2.  0.  0. 10 : 表示ソ能  ブロードキャスト"}));

    dlg.NodeListBox->item(0)->setText("stale");
    dlg.Timer1Timer();
    EXPECT_EQ(dlg.NodeListBox->item(0)->text(), "stale") << "nothing changed: the list stays";

    link.list.add(node(200, "Late"));
    dlg.Timer1Timer();
    EXPECT_EQ(lines(dlg.NodeListBox), QStringList({"   2.  0.  0.  3 : Plain  ブロードキャスト",
                                                   "*  2.  0.  0. 10 : 表示ソ能  ブロードキャスト",
                                                   "   2.  0.  0.200 : Late  ブロードキャスト"}));
    EXPECT_FALSE(link.list.changed());
    save_if_asked(dlg, "artnet_dlg.png");
}

TEST_F(NodeDialog, DetailsShowTheChosenNodeWithGreyCellsForMissingPorts) {
    link.list.add(node(3, "Plain"));
    link.list.add(output_node());
    TArtNetDlg dlg(link);
    dlg.show();
    dlg.NodeListBox->setCurrentRow(1);
    int shown = 0;
    dlg.show_details = [&](TArtNetPropDlg& d) {
        ++shown;
        d.show();
        EXPECT_EQ(d.windowTitle().toStdString(), "ノードの詳細情報");
        EXPECT_TRUE(d.windowFlags().testFlag(Qt::Tool));
        EXPECT_EQ(d.minimumSize(), QSize(400, 260));
        EXPECT_EQ(d.InfoGrid->item(0, 0)->text(), "IP Address");
        EXPECT_EQ(d.InfoGrid->item(0, 1)->text(), "  2.  0.  0. 10");
        EXPECT_EQ(d.InfoGrid->item(1, 1)->text(), "表示ソ能");
        EXPECT_EQ(d.InfoGrid->item(2, 1)->text(), "表示ノード Long");
        EXPECT_EQ(d.InfoGrid->item(3, 0)->text(), "Node Report");
        EXPECT_EQ(d.InfoGrid->columnWidth(1), 600);
        EXPECT_EQ(d.PortGrid->item(0, 4)->text(), "4");
        EXPECT_EQ(d.PortGrid->item(2, 0)->text(), "Out");
        EXPECT_EQ(d.PortGrid->item(2, 1)->text(), "1 : 5");
        const QPalette pal = d.PortGrid->palette();
        const QRgb grey = qRgb(0xAB, 0xAB, 0xAB);
        for (int c = 1; c <= 4; ++c) {
            EXPECT_TRUE(d.PortGrid->item(1, c)->text().isEmpty());
            EXPECT_EQ(cell_colour(d.PortGrid, 1, c), grey) << "In " << c;
        }
        EXPECT_EQ(cell_colour(d.PortGrid, 2, 1), pal.color(QPalette::Base).rgb());
        EXPECT_EQ(cell_colour(d.PortGrid, 2, 2), grey);
        EXPECT_EQ(cell_colour(d.PortGrid, 0, 1), pal.color(QPalette::Button).rgb());
        EXPECT_EQ(cell_colour(d.InfoGrid, 2, 0), pal.color(QPalette::Button).rgb());
        save_if_asked(d, "artnet_prop_dlg.png");
    };
    link.list.clear();  // a scan after the choice: the listed node is still the one shown
    dlg.PropBtn->click();
    EXPECT_EQ(shown, 0) << "the list no longer holds that many nodes";

    link.list.add(node(3, "Plain"));
    link.list.add(output_node());
    dlg.Timer1Timer();
    dlg.NodeListBox->setCurrentRow(1);
    dlg.PropBtn->click();
    EXPECT_EQ(shown, 1);
}

TEST_F(NodeDialog, OutputGroupShowsTheSettingsAndAChoiceTakesEffectAtOnce) {
    link.machine = {{"eth0", {{2, 0, 0, 1}}, true}, {"wlan0", {{192, 168, 1, 20}}, false}};
    link.settings.interface = "eth9";  // chosen once, not on this machine now
    link.settings.delivery = artnet::Delivery::unicast;
    link.settings.cid = artnet::random_cid();
    link.universe_ = 0x15;
    NodeEntry wants = output_node();
    wants.sub_switch = 1;  // its output port takes port-address 0x15
    link.list.add(node(3, "Plain"));
    link.list.add(wants);
    TArtNetDlg dlg(link);
    dlg.show();
    QStringList items;
    for (int i = 0; i < dlg.InterfaceComboBox->count(); ++i) items << dlg.InterfaceComboBox->itemText(i);
    EXPECT_EQ(items, QStringList({"自動", "eth0 (2.0.0.1)", "wlan0 (192.168.1.20)", "eth9 (なし)"}));
    EXPECT_EQ(dlg.InterfaceComboBox->currentIndex(), 3);
    EXPECT_EQ(dlg.DeliveryComboBox->currentText(), "ユニキャスト");
    EXPECT_EQ(dlg.ProtocolComboBox->currentText(), "Art-Net");
    EXPECT_EQ(lines(dlg.NodeListBox), QStringList({"   2.  0.  0.  3 : Plain", "*  2.  0.  0. 10 : 表示ソ能  ユニキャスト"}));
    EXPECT_EQ(link.setting_writes, 0) << "opening changes nothing";

    const artnet::Cid cid = link.settings.cid;
    dlg.InterfaceComboBox->setCurrentIndex(1);
    emit dlg.InterfaceComboBox->activated(1);
    EXPECT_EQ(link.settings.interface, "eth0");
    EXPECT_EQ(link.settings.delivery, artnet::Delivery::unicast);
    EXPECT_EQ(link.settings.cid, cid) << "the source identity stays";
    dlg.ProtocolComboBox->setCurrentIndex(2);
    emit dlg.ProtocolComboBox->activated(2);
    EXPECT_EQ(link.settings.protocol, artnet::Protocol::both);
    dlg.DeliveryComboBox->setCurrentIndex(0);
    emit dlg.DeliveryComboBox->activated(0);
    EXPECT_EQ(link.settings.delivery, artnet::Delivery::broadcast);
    EXPECT_EQ(lines(dlg.NodeListBox), QStringList({"   2.  0.  0.  3 : Plain  ブロードキャスト",
                                                   "*  2.  0.  0. 10 : 表示ソ能  ブロードキャスト"}));
    dlg.InterfaceComboBox->setCurrentIndex(0);
    emit dlg.InterfaceComboBox->activated(0);
    EXPECT_EQ(link.settings.interface, "") << "the automatic choice";
    EXPECT_EQ(link.setting_writes, 4);
    save_if_asked(dlg, "artnet_dlg_output.png");
}

TEST_F(NodeDialog, DeviceOutputsAreChosenBesideTheNetworkAndEachOutputShowsItsState) {
    link.settings.protocol = artnet::Protocol::artnet | artnet::Protocol::ola;
    link.settings.ola_universe = 4;
    link.reports = {{artnet::Protocol::artnet, artnet::OutputStatus::ok, "2.0.0.1", 0},
                    {artnet::Protocol::ola, artnet::OutputStatus::no_ola, "4", 0}};
    TArtNetDlg dlg(link);
    dlg.show();
    EXPECT_FALSE(dlg.UsbProCheckBox->isChecked());
    EXPECT_TRUE(dlg.OlaCheckBox->isChecked());
    EXPECT_EQ(dlg.OlaUniverseSpinBox->value(), 4);
    EXPECT_EQ(lines(dlg.OutputListBox), QStringList({"Art-Net     2.0.0.1  DMX:OK", "OLA         ユニバース 4  DMX:NoOLA"}));

    dlg.UsbProCheckBox->click();  // the widget joins, found by probing
    EXPECT_EQ(link.settings.protocol, artnet::Protocol::artnet | artnet::Protocol::usbpro | artnet::Protocol::ola);
    EXPECT_EQ(link.settings.usbpro_device, "");
    dlg.UsbProDeviceEdit->setText(" /dev/ttyUSB0 ");
    emit dlg.UsbProDeviceEdit->editingFinished();
    EXPECT_EQ(link.settings.usbpro_device, "/dev/ttyUSB0");
    dlg.ProtocolComboBox->setCurrentIndex(3);  // no network output
    emit dlg.ProtocolComboBox->activated(3);
    EXPECT_EQ(link.settings.protocol, artnet::Protocol::usbpro | artnet::Protocol::ola);
    const int writes = link.setting_writes;
    dlg.OlaCheckBox->click();
    dlg.UsbProCheckBox->click();  // the last output: refused
    EXPECT_EQ(link.settings.protocol, artnet::Protocol::usbpro);
    EXPECT_TRUE(dlg.UsbProCheckBox->isChecked()) << "the controls show the settings in force";
    EXPECT_EQ(link.setting_writes, writes + 1);

    link.reports = {{artnet::Protocol::usbpro, artnet::OutputStatus::ok, "/dev/ttyUSB0", 3}};
    dlg.Timer1Timer();
    EXPECT_EQ(lines(dlg.OutputListBox), QStringList({"USB DMX Pro /dev/ttyUSB0  DMX:OK  欠落 3"}));
    save_if_asked(dlg, "artnet_dlg_devices.png");
}

TEST_F(NodeDialog, DetailsWithoutANodeShowTheHeadingsOnly) {
    TArtNetPropDlg d;
    d.show();
    EXPECT_EQ(d.InfoGrid->item(1, 0)->text(), "Short Name");
    EXPECT_TRUE(d.InfoGrid->item(1, 1)->text().isEmpty());
    EXPECT_EQ(d.PortGrid->item(1, 0)->text(), "In");
    EXPECT_EQ(d.PortGrid->item(0, 1)->text(), "1");
    EXPECT_GE(d.width(), 400);
    EXPECT_GE(d.height(), 260);
}

}  // namespace
}  // namespace prismel::test
