#include "output/artnet_dlg_qt.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "output/artnet_prop_dlg_qt.h"
#include "output/node_dialog_text.h"
#include "platform/text_codec.h"
#include "platform/text_codec_qt.h"

namespace prismel {

namespace {

constexpr int kDigits = 16;
constexpr int kListWidth = 380;
constexpr int kListHeight = 180;
constexpr int kOutputListHeight = 80;


QComboBox* hex_digit_list(QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (int i = 0; i < kDigits; ++i) box->addItem(QString::number(i, 16).toUpper());
    box->setMaxVisibleItems(kDigits);
    return box;
}

}  // namespace

TArtNetDlg::TArtNetDlg(NodeLink& link, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      link_(link) {
    setWindowTitle(qt_text(sj("DMXインターフェイスの設定")));
    setFont(node_dialog_font());

    ArtNetGroupBox = new QGroupBox(QStringLiteral("ArtNet"), this);
    GroupBox4 = new QGroupBox(qt_text(sj("出力ポート")), ArtNetGroupBox);
    OsubComboBox = hex_digit_list(GroupBox4);
    OidComboBox = hex_digit_list(GroupBox4);
    IpAdrLabel = new QLabel(ArtNetGroupBox);
    NodeListBox = new QListWidget(ArtNetGroupBox);
    NodeListBox->setFixedSize(kListWidth, kListHeight);
    ScanBtn = new QPushButton(qt_text(sj("スキャン")), ArtNetGroupBox);
    ScanBtn->setAutoDefault(false);
    PropBtn = new QPushButton(qt_text(sj("詳細")), ArtNetGroupBox);
    PropBtn->setAutoDefault(false);
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setDefault(true);
    OutputGroupBox = new QGroupBox(qt_text(sj("出力")), this);
    InterfaceComboBox = new QComboBox(OutputGroupBox);
    DeliveryComboBox = new QComboBox(OutputGroupBox);
    for (artnet::Delivery d : {artnet::Delivery::broadcast, artnet::Delivery::unicast})
        DeliveryComboBox->addItem(qt_text(artnet::delivery_item(d)));
    ProtocolComboBox = new QComboBox(OutputGroupBox);
    for (int i = 0; i < artnet::kNetworkItems; ++i) ProtocolComboBox->addItem(qt_text(artnet::network_item(i)));
    UsbProCheckBox = new QCheckBox(QStringLiteral("USB DMX Pro"), OutputGroupBox);
    UsbProDeviceEdit = new QLineEdit(OutputGroupBox);
    UsbProDeviceEdit->setPlaceholderText(qt_text(sj("自動")));
    OlaCheckBox = new QCheckBox(QStringLiteral("OLA"), OutputGroupBox);
    OlaUniverseSpinBox = new QSpinBox(OutputGroupBox);
    OlaUniverseSpinBox->setRange(artnet::kOlaUniverseMin, artnet::kOlaUniverseMax);
    OlaUniverseSpinBox->setPrefix(qt_text(sj("ユニバース ")));
    OutputListBox = new QListWidget(OutputGroupBox);
    OutputListBox->setFixedHeight(kOutputListHeight);
    OutputListBox->setFocusPolicy(Qt::NoFocus);
    auto* output = new QGridLayout(OutputGroupBox);
    output->addWidget(new QLabel(qt_text(sj("インターフェイス")), OutputGroupBox), 0, 0);
    output->addWidget(InterfaceComboBox, 0, 1);
    output->addWidget(new QLabel(qt_text(sj("送り方")), OutputGroupBox), 1, 0);
    output->addWidget(DeliveryComboBox, 1, 1);
    output->addWidget(new QLabel(qt_text(sj("プロトコル")), OutputGroupBox), 2, 0);
    output->addWidget(ProtocolComboBox, 2, 1);
    output->addWidget(UsbProCheckBox, 3, 0);
    output->addWidget(UsbProDeviceEdit, 3, 1);
    output->addWidget(OlaCheckBox, 4, 0);
    output->addWidget(OlaUniverseSpinBox, 4, 1);
    output->addWidget(OutputListBox, 5, 0, 1, 2);
    output->setColumnStretch(1, 1);

    auto* port = new QGridLayout(GroupBox4);
    port->addWidget(new QLabel(QStringLiteral("SUB-NET"), GroupBox4), 0, 0);
    port->addWidget(new QLabel(QStringLiteral("ID"), GroupBox4), 0, 1);
    port->addWidget(OsubComboBox, 1, 0);
    port->addWidget(OidComboBox, 1, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(GroupBox4);
    top->addWidget(IpAdrLabel, 1, Qt::AlignBottom);
    auto* side = new QVBoxLayout;
    side->addWidget(ScanBtn);
    side->addWidget(PropBtn);
    side->addStretch(1);
    auto* nodes = new QHBoxLayout;
    nodes->addWidget(NodeListBox);
    nodes->addLayout(side);
    auto* group = new QVBoxLayout(ArtNetGroupBox);
    group->addLayout(top);
    group->addLayout(nodes);

    RemoteLabel = new QLabel(this);
    RemoteLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(RemoteLabel);
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ArtNetGroupBox);
    layout->addWidget(OutputGroupBox);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Timer1 = new QTimer(this);
    Timer1->setInterval(kTickMs);
    connect(Timer1, &QTimer::timeout, this, &TArtNetDlg::Timer1Timer);
    // Only the operator's choice writes the universe, not the selection at show.
    connect(OsubComboBox, &QComboBox::activated, this, &TArtNetDlg::OsubComboBoxChange);
    connect(OidComboBox, &QComboBox::activated, this, &TArtNetDlg::OsubComboBoxChange);
    for (QComboBox* box : {InterfaceComboBox, DeliveryComboBox, ProtocolComboBox})
        connect(box, &QComboBox::activated, this, &TArtNetDlg::OutputComboBoxChange);
    for (QCheckBox* box : {UsbProCheckBox, OlaCheckBox})
        connect(box, &QCheckBox::clicked, this, &TArtNetDlg::OutputComboBoxChange);
    connect(UsbProDeviceEdit, &QLineEdit::editingFinished, this, &TArtNetDlg::OutputComboBoxChange);
    connect(OlaUniverseSpinBox, &QSpinBox::editingFinished, this, &TArtNetDlg::OutputComboBoxChange);
    connect(ScanBtn, &QPushButton::clicked, this, &TArtNetDlg::ScanBtnClick);
    connect(PropBtn, &QPushButton::clicked, this, &TArtNetDlg::PropActionExecute);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(NodeListBox, &QListWidget::currentRowChanged, this, &TArtNetDlg::PropActionUpdate);
    show_details = [](TArtNetPropDlg& d) { d.exec(); };
    PropActionUpdate();
}

void TArtNetDlg::FormShow() {
    IpAdrLabel->setText(QStringLiteral("IP: ") + qt_text(link_.own_address_text()));
    const artnet::PortChoice c = artnet::port_choice(link_.universe());
    OsubComboBox->setCurrentIndex(c.sub_net);
    OidComboBox->setCurrentIndex(c.id);
    show_output_settings();
    RemoteLabel->setText(qt_text(link_.remote_notice().c_str()));
    RemoteLabel->setVisible(!link_.remote_notice().empty());
    // A dialog opened anew lists the nodes already known, changed or not.
    rebuild_list();
}

void TArtNetDlg::show_output_settings() {
    const artnet::OutputSettings s = link_.output_settings();
    InterfaceComboBox->clear();
    interface_values_.clear();
    for (const artnet::InterfaceItem& item : artnet::interface_items(link_.interfaces(), s.interface)) {
        InterfaceComboBox->addItem(qt_text(item.text));
        interface_values_.push_back(item.value);
        if (item.value == s.interface) InterfaceComboBox->setCurrentIndex(InterfaceComboBox->count() - 1);
    }
    DeliveryComboBox->setCurrentIndex(s.delivery == artnet::Delivery::unicast ? 1 : 0);
    ProtocolComboBox->setCurrentIndex(artnet::network_index(s.protocol));
    UsbProCheckBox->setChecked(artnet::has(s.protocol, artnet::Protocol::usbpro));
    UsbProDeviceEdit->setText(QString::fromStdString(s.usbpro_device));
    OlaCheckBox->setChecked(artnet::has(s.protocol, artnet::Protocol::ola));
    OlaUniverseSpinBox->setValue(s.ola_universe);
    show_output_states();
}

void TArtNetDlg::show_output_states() {
    const std::vector<artnet::OutputReport> reports = link_.output_reports();
    if (OutputListBox->count() != int(reports.size())) {
        OutputListBox->clear();
        for (size_t i = 0; i < reports.size(); ++i) OutputListBox->addItem(QString());
    }
    for (size_t i = 0; i < reports.size(); ++i) {
        const QString line = qt_text(artnet::output_line(reports[i]));
        if (OutputListBox->item(int(i))->text() != line) OutputListBox->item(int(i))->setText(line);
    }
}

void TArtNetDlg::OsubComboBoxChange() {
    link_.set_universe(artnet::tx_universe_of({OsubComboBox->currentIndex(), OidComboBox->currentIndex()}));
    rebuild_list();  // which nodes get unicast follows the universe
}

void TArtNetDlg::OutputComboBoxChange() {
    artnet::OutputSettings s = link_.output_settings();
    const int chosen = InterfaceComboBox->currentIndex();
    if (chosen >= 0 && chosen < int(interface_values_.size())) s.interface = interface_values_[size_t(chosen)];
    s.delivery = DeliveryComboBox->currentIndex() == 1 ? artnet::Delivery::unicast : artnet::Delivery::broadcast;
    artnet::Protocol outputs = artnet::with_network_index({}, ProtocolComboBox->currentIndex());
    if (UsbProCheckBox->isChecked()) outputs = outputs | artnet::Protocol::usbpro;
    if (OlaCheckBox->isChecked()) outputs = outputs | artnet::Protocol::ola;
    if (artnet::is_empty(outputs)) {
        show_output_settings();
        return;
    }
    s.protocol = outputs;
    s.usbpro_device = UsbProDeviceEdit->text().trimmed().toStdString();  // a file name, as the system spells it
    s.ola_universe = OlaUniverseSpinBox->value();
    if (s == link_.output_settings()) return;
    link_.set_output_settings(s);
    rebuild_list();
}

void TArtNetDlg::ScanBtnClick() {
    NodeListBox->clear();
    listed_.clear();
    link_.scan();
    PropActionUpdate();
}

void TArtNetDlg::Timer1Timer() {
    artnet::NodeList* nodes = link_.nodes();
    if (nodes && nodes->changed()) rebuild_list();
    PropActionUpdate();
    show_output_states();
}

void TArtNetDlg::rebuild_list() {
    artnet::NodeList* nodes = link_.nodes();
    NodeListBox->clear();
    listed_.clear();
    if (!nodes) return;
    // Taken before the copy: a node added in between sets it again and is
    // listed at the next tick rather than lost.
    nodes->take_changed();
    listed_ = nodes->entries();
    const int universe = link_.universe();
    const artnet::OutputSettings settings = link_.output_settings();
    const bool unicast = nodes->unicast_targets(universe & 0x7FFF).count > 0;
    for (const artnet::NodeEntry& n : listed_)
        NodeListBox->addItem(qt_text(artnet::node_line(n, artnet::node_reach(n, settings, universe, unicast))));
    PropActionUpdate();
}

void TArtNetDlg::PropActionUpdate() {
    const int row = NodeListBox->currentRow();
    const artnet::NodeList* nodes = link_.nodes();
    const bool valid = nodes && row >= 0 && row < nodes->count() && row < int(listed_.size());
    PropBtn->setEnabled(valid);
}

void TArtNetDlg::PropActionExecute() {
    PropActionUpdate();
    if (!PropBtn->isEnabled()) return;
    TArtNetPropDlg details(this, parentWidget());
    details.node = listed_[size_t(NodeListBox->currentRow())];
    show_details(details);
}

void TArtNetDlg::showEvent(QShowEvent* e) {
    FormShow();
    Timer1->start();
    QDialog::showEvent(e);
}

void TArtNetDlg::hideEvent(QHideEvent* e) {
    Timer1->stop();
    QDialog::hideEvent(e);
}

void show_node_dialog(QWidget* parent, NodeLink& link) {
    TArtNetDlg dialog(link, parent);
    dialog.exec();
}

}  // namespace prismel
