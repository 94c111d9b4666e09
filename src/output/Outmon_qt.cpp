#include "output/Outmon_qt.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QHeaderView>
#include <QVBoxLayout>

#include "output/outmon_text.h"
#include "platform/text_codec.h"
#include "platform/text_codec_qt.h"
#include "platform/window_place.h"

namespace prismel {

namespace {

constexpr int kGridSide = 8;
constexpr int kColumnWidth = 120;
constexpr int kRowHeight = 24;
constexpr int kTickMs = 50;
constexpr int kDefaultPlace = 100;
const char* const kPlacePrefix = "OutMonitor";

QFont gothic(int px) {
    QFont f(qt_text(sj("ＭＳ ゴシック")));
    f.setFamilies({f.family(), QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic"), QStringLiteral("monospace")});
    f.setPixelSize(px);
    return f;
}

QFont proportional_gothic(int px) {
    QFont f(qt_text(sj("ＭＳ Ｐゴシック")));
    f.setFamilies({f.family(), QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"), QStringLiteral("sans-serif")});
    f.setPixelSize(px);
    return f;
}

// A stored place from another desktop layout can lie where no screen shows
// it; the window then comes up at the default place instead of staying out of
// the operator's reach.
QPoint reachable(QPoint wanted, QSize size) {
    const QRect title_strip(wanted, QSize(size.width(), 24));
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(title_strip)) return wanted;
    return QPoint(kDefaultPlace, kDefaultPlace);
}

void set_if_changed(QTableWidgetItem* item, const char* text) {
    const QString s = QString::fromLatin1(text);  // the cells are plain ASCII
    if (item->text() != s) item->setText(s);
}

}  // namespace

TOutMonForm::TOutMonForm(PlaybackEngine& engine, const ShowData& show, Profile* settings, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      engine_(engine), show_(show), settings_(settings) {
    setWindowTitle(qt_text(sj("出力モニタ")));
    setFont(proportional_gothic(12));
    setFixedSize(kClientWidth, kClientHeight);
    setFocusPolicy(Qt::StrongFocus);

    StringGrid1 = new QTableWidget(kGridSide, kGridSide, this);
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    StringGrid1->verticalHeader()->setDefaultSectionSize(kRowHeight);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionMode(QAbstractItemView::NoSelection);
    StringGrid1->setFocusPolicy(Qt::NoFocus);
    StringGrid1->setFont(gothic(12));
    StringGrid1->setTextElideMode(Qt::ElideNone);
    StringGrid1->setWordWrap(false);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The longest cell, "01: s00 m00 c00 y00", fills a column without padding.
    StringGrid1->setStyleSheet(QStringLiteral(
        "QTableWidget { background-color: black; color: aqua; gridline-color: #404040; }"
        "QTableWidget::item { padding: 0px 2px; }"));
    for (int r = 0; r < kGridSide; ++r)
        for (int c = 0; c < kGridSide; ++c) StringGrid1->setItem(r, c, new QTableWidgetItem());

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setSizeGripEnabled(false);
    panel0_ = new QLabel(StatusBar1);
    panel0_->setFixedWidth(300);
    panel1_ = new QLabel(StatusBar1);
    panel1_->setFixedWidth(50);
    StatusBar1->addWidget(panel0_);
    StatusBar1->addWidget(panel1_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(StringGrid1, 1);
    layout->addWidget(StatusBar1);

    // FormCreate: the timer runs only while the window shows.
    Timer1 = new QTimer(this);
    Timer1->setInterval(kTickMs);
    connect(Timer1, &QTimer::timeout, this, &TOutMonForm::Timer1Timer);
}

void TOutMonForm::Timer1Timer() {
    const LevelBuffer levels = engine_.monitor();
    char text[kOutmonCellBytes];
    for (int i = 0; i < kFixtures; ++i) {
        outmon_cell_text(i, show_.patch[i], group_of(levels, i), text, sizeof text);
        set_if_changed(StringGrid1->item(i / kGridSide, i % kGridSide), text);
    }
    const QString status = status_text();
    if (panel0_->text() != status) panel0_->setText(status);
}

QString TOutMonForm::status_text() const {
    const EngineFields f = engine_.fields();
    char text[kOutmonStatusBytes];
    outmon_status_text(f.current_scene, f.current_chase, f.colour_preview, engine_.snapshot_depth(), text, sizeof text);
    return QString::fromLatin1(text);
}

void TOutMonForm::showEvent(QShowEvent* e) {
    WindowPlace place{x(), y(), width(), height()};
    if (settings_) {
        place = restore_window_place(*settings_, kPlacePrefix, place, kDefaultPlace, kDefaultPlace, 0, 0);
        move(reachable(QPoint(place.left, place.top), size()));
    }
    Timer1Timer();
    Timer1->start();
    QWidget::showEvent(e);
}

void TOutMonForm::hideEvent(QHideEvent* e) {
    Timer1->stop();
    QWidget::hideEvent(e);
}

void TOutMonForm::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(e);
}

void TOutMonForm::closeEvent(QCloseEvent* e) {
    Timer1->stop();
    if (settings_) {
        const QRect frame = frameGeometry();
        save_window_place(*settings_, kPlacePrefix, WindowPlace{frame.x(), frame.y(), frame.width(), frame.height()}, true);
    }
    QWidget::closeEvent(e);
}

}  // namespace prismel
