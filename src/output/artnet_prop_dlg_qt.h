#pragma once
// The details of one Art-Net node: its address and texts, and the sub-net and
// universe of each of its four ports in both directions. Opened from the node
// dialog with a copy of the entry taken when the operator asked for it.
#include <QDialog>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include <optional>

#include "output/artnet_nodes.h"

namespace prismel {

// The dialogs' font: "ＭＳ Ｐゴシック" where installed, else IPA's
// proportional Gothic, else IPAGothic, else the system's font.
QFont node_dialog_font();

class TArtNetPropDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kMinWidth = 400;
    static constexpr int kMinHeight = 260;

    // centre_on: the window the dialog comes up in the middle of (the main
    // window); nullptr: its parent.
    explicit TArtNetPropDlg(QWidget* parent = nullptr, QWidget* centre_on = nullptr);

    // The node to show; nullopt shows the headings only.
    std::optional<artnet::NodeEntry> node;

    QTableWidget* InfoGrid = nullptr;
    QLabel* PortLabel = nullptr;
    QTableWidget* PortGrid = nullptr;
    QPushButton* OKBtn = nullptr;

    // Fills the grids from the node (FormShow).
    void FormShow();

protected:
    void showEvent(QShowEvent* e) override;

private:
    QWidget* centre_on_;
};

}  // namespace prismel
