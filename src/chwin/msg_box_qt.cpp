#include "chwin/msg_box_qt.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "chwin/chw_canvas_qt.h"
#include "chwin/chw_screen.h"
#include "chwin/edge_qt.h"
#include "chwin/inp_validate.h"
#include "platform/text_codec.h"
#include "platform/text_codec_qt.h"
#include "platform/virtual_keys_qt.h"

namespace prismel {

namespace {
constexpr int kBoxHeight = 196;
}  // namespace

TQzMsgBox::TQzMsgBox(QWidget* main_window, const ChwScreen& screen)
    : QDialog(main_window, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      main_window_(main_window), screen_(screen) {
    setModal(true);
}

void TQzMsgBox::prepare(int kind, const char* line1, const char* line2) {
    const int fs = screen_.font_size();
    font_ = QFont(chw_font_family());
    font_.setPixelSize(fs);
    font_.setBold(true);
    line1_ = qt_text(line1);
    line2_ = qt_text(line2);
    const QFontMetrics m(font_);
    layout_.font_size = fs;
    layout_.height = kBoxHeight;
    layout_.button_width = m.horizontalAdvance(QString::fromUtf8(" ＿＿＿ "));
    layout_.button_height = m.height();
    layout_.width = msg_box_width(m.horizontalAdvance(line1_), m.horizontalAdvance(line2_), fs);
    model_ = MsgBoxModel(kind);
    setFixedSize(layout_.width, layout_.height);
    if (main_window_) {
        const QRect outer = main_window_->frameGeometry();
        move(outer.center() - QPoint(layout_.width / 2, layout_.height / 2));
    }
}

int TQzMsgBox::ask(int kind, const char* line1, const char* line2) {
    prepare(kind, line1, line2);
    if (screen_.beep_option) QApplication::beep();
    const int r = exec();
    // Without a window manager nothing hands the keyboard back to the main
    // window when a modal form closes: the next keys would be lost.
    if (main_window_) main_window_->activateWindow();
    // The next caller starts clean.
    line1_.clear();
    line2_.clear();
    model_ = MsgBoxModel(kMsgOk);
    return r == kResultOk ? kResultOk : kResultCancel;
}

void TQzMsgBox::finish(int result) {
    if (result != kMsgStay) done(result);
}

void TQzMsgBox::keyPressEvent(QKeyEvent* e) {
    const int vk = virtual_key_of(e->key(), e->modifiers() & Qt::KeypadModifier, e->nativeScanCode());
    const int r = model_.key(vk);
    update();
    finish(r);
}

void TQzMsgBox::mousePressEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    const int r = model_.press(p.x(), p.y(), layout_);
    update();
    finish(r);
}

void TQzMsgBox::paint_button(QPainter& p, const MsgRect& r, const QString& label, bool selected) {
    const QRect q(r.left, r.top, r.right - r.left, r.bottom - r.top);
    if (selected) {
        p.fillRect(q, to_qcolor(screen_.colour_of(Cursor)));
        draw_edge_qt(p, q.adjusted(-2, -2, 2, 2), QtEdge::Raised);
    } else {
        p.fillRect(q, to_qcolor(screen_.colour_of(HeaderB)));
    }
    p.setPen(Qt::black);
    p.drawText(q, Qt::AlignLeft | Qt::AlignVCenter, label);
}

void TQzMsgBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const MsgBoxLayout& l = layout_;
    const QRect outer(0, 0, l.width, l.height);
    p.fillRect(outer, to_qcolor(screen_.colour_of(TitleAct)));
    draw_edge_qt(p, outer, QtEdge::Raised);
    const MsgRect in = l.inner();
    const QRect inner(in.left, in.top, in.right - in.left, in.bottom - in.top);
    p.fillRect(inner, to_qcolor(screen_.colour_of(WinHiBg)));
    draw_edge_qt(p, inner, QtEdge::Sunken);

    p.setFont(font_);
    p.setPen(Qt::black);
    const QFontMetrics m(font_);
    // Text positions name the top of the line; Qt draws from the baseline.
    p.drawText(l.text_x(), l.line1_y() + m.ascent(), line1_);
    if (!line2_.isEmpty()) p.drawText(l.text_x(), l.line2_y() + m.ascent(), line2_);

    if (model_.kind() == kMsgYesNo) {
        paint_button(p, l.yes_button(), QString::fromUtf8(" ＹＥＳ "), model_.yes_selected());
        paint_button(p, l.no_button(), QString::fromUtf8("  ＮＯ  "), !model_.yes_selected());
    } else if (model_.kind() == kMsgOk) {
        paint_button(p, l.ok_button(), QString::fromUtf8("  ＯＫ  "), true);
    }
}

}  // namespace prismel
