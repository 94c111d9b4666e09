#pragma once
// The DMX interface settings: the output port (sub-net and universe ID) the
// console sends ArtDmx to, its own Art-Net address, the nodes that answered
// its polls and how each is reached, with a scan and the details of one node;
// and the output group: the interface, the ArtDmx delivery, the network
// protocols, the USB widget and OLA outputs, and each output with its state.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

#include "output/artnet_nodes.h"
#include "output/node_link.h"

namespace prismel {

class TArtNetPropDlg;

class TArtNetDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kTickMs = 100;

    explicit TArtNetDlg(NodeLink& link, QWidget* parent = nullptr);

    QGroupBox* ArtNetGroupBox = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    QComboBox* OsubComboBox = nullptr;
    QComboBox* OidComboBox = nullptr;
    QLabel* IpAdrLabel = nullptr;
    QListWidget* NodeListBox = nullptr;
    QPushButton* ScanBtn = nullptr;
    QPushButton* PropBtn = nullptr;
    QPushButton* OKBtn = nullptr;
    QTimer* Timer1 = nullptr;
    QGroupBox* OutputGroupBox = nullptr;
    QComboBox* InterfaceComboBox = nullptr;
    QComboBox* DeliveryComboBox = nullptr;   // broadcast, unicast
    QComboBox* ProtocolComboBox = nullptr;   // Art-Net, sACN, both, none
    QCheckBox* UsbProCheckBox = nullptr;
    QLineEdit* UsbProDeviceEdit = nullptr;   // empty: the first widget found
    QCheckBox* OlaCheckBox = nullptr;
    QSpinBox* OlaUniverseSpinBox = nullptr;
    QListWidget* OutputListBox = nullptr;    // each output in use with its state
    QLabel* RemoteLabel = nullptr;           // the browser remote's port and PIN; hidden while it is off

    // How the details dialog is shown; modal by default. Tests look at it
    // without running its loop.
    std::function<void(TArtNetPropDlg&)> show_details;

    void FormShow();
    // Either combo box chosen by the operator: the new output universe.
    void OsubComboBoxChange();
    void ScanBtnClick();
    // Rebuilds the list when the node list changed since the last look.
    void Timer1Timer();
    void PropActionUpdate();
    void PropActionExecute();
    // Any of the output group's controls changed by the operator: the new
    // output settings, in force at once. A choice that leaves no output at
    // all is refused: the controls show the settings in force again.
    void OutputComboBoxChange();

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void rebuild_list();
    void show_output_settings();
    void show_output_states();

    NodeLink& link_;
    // The entries behind the lines of the list, as they were listed: the
    // details show the node the operator picked even if a scan follows.
    std::vector<artnet::NodeEntry> listed_;
    // The setting each item of the interface list stands for, byte for byte.
    std::vector<std::string> interface_values_;
};

// The options menu's "DMXインターフェイスの設定(&I)": shows the node dialog
// modally over parent.
void show_node_dialog(QWidget* parent, NodeLink& link);

}  // namespace prismel
