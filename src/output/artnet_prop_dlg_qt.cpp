#include "output/artnet_prop_dlg_qt.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>

#include "output/node_dialog_text.h"
#include "platform/text_codec.h"
#include "platform/text_codec_qt.h"

namespace prismel {

namespace {

using artnet::CellLook;
using artnet::GridKind;

constexpr int kFontPx = 15;
constexpr int kBorder = 4;
constexpr int kRowHeight = 24;
constexpr int kTextInset = 4;
constexpr int kInfoRows = 4;
constexpr int kHeadingWidth = 90;
constexpr int kValueWidth = 600;
constexpr int kPortColumnWidth = 64;
// The desktop's application-workspace grey, marking a cell with nothing to say.
const QColor kAppWorkspace(0xAB, 0xAB, 0xAB);


// Paints every cell itself: headings like buttons, filled cells like a
// window, empty ones in the workspace grey, so a port that does not work in
// a direction stands out.
class GridCellPainter : public QStyledItemDelegate {
public:
    GridCellPainter(GridKind kind, QObject* parent) : QStyledItemDelegate(parent), kind_(kind) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QString text = index.data().toString();
        const QRect r = option.rect;
        const QPalette& pal = option.palette;
        QColor bg, fg;
        switch (artnet::cell_look(kind_, index.column(), index.row(), !text.isEmpty())) {
        case CellLook::heading:
            bg = pal.color(QPalette::Button);
            fg = pal.color(QPalette::ButtonText);
            break;
        case CellLook::text:
            bg = pal.color(QPalette::Base);
            fg = pal.color(QPalette::Text);
            break;
        case CellLook::empty:
            bg = kAppWorkspace;
            fg = pal.color(QPalette::Text);
            break;
        }
        p->save();
        p->setClipRect(r);
        p->fillRect(r, bg);
        if (!text.isEmpty()) {
            const QFontMetrics fm(option.font);
            const int x = kind_ == GridKind::ports
                              ? artnet::centred_text_left(r.left(), r.width(), fm.horizontalAdvance(text))
                              : r.left() + kTextInset;
            p->setFont(option.font);
            p->setPen(fg);
            p->drawText(QPoint(x, r.top() + kTextInset + fm.ascent()), text);
        }
        p->restore();
    }

private:
    GridKind kind_;
};

QTableWidget* make_grid(int columns, int rows, GridKind kind, QWidget* parent) {
    auto* grid = new QTableWidget(rows, columns, parent);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid->verticalHeader()->setMinimumSectionSize(kRowHeight);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setWordWrap(false);
    grid->setItemDelegate(new GridCellPainter(kind, grid));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) grid->setItem(r, c, new QTableWidgetItem());
    return grid;
}

void set_cell(QTableWidget* grid, int row, int column, const QString& text) { grid->item(row, column)->setText(text); }

}  // namespace

QFont node_dialog_font() {
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        for (const char* name : {"ＭＳ Ｐゴシック", "IPAPGothic", "IPAGothic"}) {
            const QString f = QString::fromUtf8(name);
            if (installed.contains(f)) return f;
        }
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    QFont f(family);
    f.setPixelSize(kFontPx);
    return f;
}

TArtNetPropDlg::TArtNetPropDlg(QWidget* parent, QWidget* centre_on)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), centre_on_(centre_on) {
    setWindowTitle(qt_text(sj("ノードの詳細情報")));
    setFont(node_dialog_font());
    setSizeGripEnabled(true);
    setMinimumSize(kMinWidth, kMinHeight);

    InfoGrid = make_grid(2, kInfoRows, GridKind::info, this);
    const char* headings[kInfoRows] = {"IP Address", "Short Name", "Long Name", "Node Report"};
    for (int r = 0; r < kInfoRows; ++r) set_cell(InfoGrid, r, 0, QString::fromLatin1(headings[r]));

    PortLabel = new QLabel(QStringLiteral("SUB-NET : ID"), this);
    PortGrid = make_grid(1 + artnet::kPortCount, 3, GridKind::ports, this);
    PortGrid->horizontalHeader()->setDefaultSectionSize(kPortColumnWidth);
    for (int c = 1; c <= artnet::kPortCount; ++c) set_cell(PortGrid, 0, c, QString::number(c));
    set_cell(PortGrid, 1, 0, QStringLiteral("In"));
    set_cell(PortGrid, 2, 0, QStringLiteral("Out"));
    PortGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    PortGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    PortGrid->setFixedHeight(3 * kRowHeight + 2 * PortGrid->frameWidth());

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
    layout->addWidget(InfoGrid, 1);
    layout->addWidget(PortLabel);
    layout->addWidget(PortGrid);
    layout->addLayout(buttons);
    resize(kMinWidth, kMinHeight);
}

void TArtNetPropDlg::FormShow() {
    // A stand-in font can run wider than the one the widths were made for;
    // the headings are never cut.
    int heading_width = kHeadingWidth;
    const QFontMetrics fm(InfoGrid->font());
    for (int r = 0; r < kInfoRows; ++r)
        heading_width = std::max(heading_width, fm.horizontalAdvance(InfoGrid->item(r, 0)->text()) + 2 * kTextInset);
    InfoGrid->setColumnWidth(0, heading_width);
    InfoGrid->setColumnWidth(1, kValueWidth);
    InfoGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    InfoGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    if (!node) return;
    const artnet::NodeEntry& n = *node;
    set_cell(InfoGrid, 0, 1, qt_text(artnet::node_address_text(n)));
    set_cell(InfoGrid, 1, 1, qt_text(artnet::field_text(n.short_name)));
    set_cell(InfoGrid, 2, 1, qt_text(artnet::field_text(n.long_name)));
    set_cell(InfoGrid, 3, 1, qt_text(artnet::field_text(n.node_report)));
    for (int i = 0; i < artnet::kPortCount; ++i) {
        set_cell(PortGrid, 1, i + 1, qt_text(artnet::port_cell_text(n, i, false)));
        set_cell(PortGrid, 2, i + 1, qt_text(artnet::port_cell_text(n, i, true)));
    }
}

void TArtNetPropDlg::showEvent(QShowEvent* e) {
    FormShow();
    QWidget* centre = centre_on_ ? centre_on_ : parentWidget();
    if (centre) {
        QRect frame = frameGeometry();
        frame.moveCenter(centre->window()->frameGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(e);
}

}  // namespace prismel
