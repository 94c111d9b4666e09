#include "output/artnet_dlg_qt.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "output/artnet_prop_dlg_qt.h"
#include "output/node_dialog_text.h"
#include "platform/text_codec.h"

namespace prismel {

namespace {

constexpr int kDigits = 16;
constexpr int kListWidth = 280;
constexpr int kListHeight = 180;

QString ui(const char* cp932) { return QString::fromStdString(to_utf8(cp932)); }
QString ui(const std::string& cp932) { return QString::fromStdString(to_utf8(cp932)); }

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
    setWindowTitle(ui(sj("DMXインターフェイスの設定")));
    setFont(node_dialog_font());

    ArtNetGroupBox = new QGroupBox(QStringLiteral("ArtNet"), this);
    GroupBox4 = new QGroupBox(ui(sj("出力ポート")), ArtNetGroupBox);
    OsubComboBox = hex_digit_list(GroupBox4);
    OidComboBox = hex_digit_list(GroupBox4);
    IpAdrLabel = new QLabel(ArtNetGroupBox);
    NodeListBox = new QListWidget(ArtNetGroupBox);
    NodeListBox->setFixedSize(kListWidth, kListHeight);
    ScanBtn = new QPushButton(ui(sj("スキャン")), ArtNetGroupBox);
    ScanBtn->setAutoDefault(false);
    PropBtn = new QPushButton(ui(sj("詳細")), ArtNetGroupBox);
    PropBtn->setAutoDefault(false);
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setDefault(true);

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

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ArtNetGroupBox);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Timer1 = new QTimer(this);
    Timer1->setInterval(kTickMs);
    connect(Timer1, &QTimer::timeout, this, &TArtNetDlg::Timer1Timer);
    // Only the operator's choice writes the universe, not the selection at show.
    connect(OsubComboBox, &QComboBox::activated, this, &TArtNetDlg::OsubComboBoxChange);
    connect(OidComboBox, &QComboBox::activated, this, &TArtNetDlg::OsubComboBoxChange);
    connect(ScanBtn, &QPushButton::clicked, this, &TArtNetDlg::ScanBtnClick);
    connect(PropBtn, &QPushButton::clicked, this, &TArtNetDlg::PropActionExecute);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(NodeListBox, &QListWidget::currentRowChanged, this, &TArtNetDlg::PropActionUpdate);
    show_details = [](TArtNetPropDlg& d) { d.exec(); };
    PropActionUpdate();
}

void TArtNetDlg::FormShow() {
    IpAdrLabel->setText(QStringLiteral("IP: ") + ui(link_.own_address_text()));
    const artnet::PortChoice c = artnet::port_choice(link_.universe());
    OsubComboBox->setCurrentIndex(c.sub_net);
    OidComboBox->setCurrentIndex(c.id);
    // A dialog opened anew lists the nodes already known, changed or not.
    rebuild_list();
}

void TArtNetDlg::OsubComboBoxChange() {
    link_.set_universe(artnet::tx_universe_of({OsubComboBox->currentIndex(), OidComboBox->currentIndex()}));
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
    for (const artnet::NodeEntry& n : listed_) NodeListBox->addItem(ui(artnet::node_line(n)));
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
