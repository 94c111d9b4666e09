#include "chwin/inp_line_qt.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

#include "chwin/chw_canvas_qt.h"
#include "chwin/chw_fkey_bar.h"
#include "chwin/chw_keys.h"
#include "chwin/chw_screen.h"
#include "platform/text_codec.h"
#include "platform/text_codec_qt.h"

namespace prismel {

namespace {

int cp932_length(const QString& s) { return static_cast<int>(to_cp932(s.toStdString()).size()); }

QFont screen_font(int px) {
    QFont f(chw_font_family());
    f.setPixelSize(px);
    f.setFixedPitch(true);
    return f;
}

QString colour_css(uint32_t v) {
    return QString::asprintf("#%02x%02x%02x", v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

}  // namespace

TInpLineFrm::TInpLineFrm(QWidget* screen_widget)
    : QDialog(screen_widget, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      screen_widget_(screen_widget), label_(new QLabel(this)), edit_(new QLineEdit(this)) {
    setModal(true);
    edit_->setFrame(false);
    // The stylesheets paint the prompt and the field whole from the first show.
    label_->setAutoFillBackground(true);
    edit_->setAutoFillBackground(true);
    strip_refresh_.setInterval(50);
    connect(&strip_refresh_, &QTimer::timeout, this, [this] { update(strip_); });
    edit_->installEventFilter(this);
    connect(edit_, &QLineEdit::textChanged, this, [this] { keep_within_max_length(); });
}

void TInpLineFrm::lay_out(const ChwScreen& s, const LineInputRequest& r) {
    const int fs = s.font_size();
    const int ch = s.cell_height();
    const QSize client = screen_widget_ ? screen_widget_->size() : QSize(ChwScreen::kColumns * fs / 2, ChwScreen::kRows * ch);
    setGeometry(QRect(screen_widget_ ? screen_widget_->mapToGlobal(QPoint(0, 0)) : QPoint(0, 0), client));

    const int x = r.column * fs / 2;
    const int y = r.row * ch;
    const int label_width = r.prompt.empty() ? 0 : static_cast<int>(r.prompt.size()) * fs / 2 + 4;
    label_->setFont(screen_font(fs));
    label_->setText(qt_text(r.prompt));
    label_->setStyleSheet(QString("color: black; background: %1;").arg(colour_css(s.colour_of(WinHiBg))));
    label_->setGeometry(x, y, label_width, fs + 2);
    label_->setVisible(label_width > 0);

    const int edit_width = r.max_length * fs / 2 + 4;
    edit_->setFont(screen_font(fs));
    edit_->setStyleSheet("color: white; background: #0000ff;");
    edit_->setGeometry(x + label_width, y, edit_width, fs + 2);
    last_good_ = qt_text(clip_cp932(r.text, r.max_length));
    edit_->setText(last_good_);
    edit_->deselect();
    edit_->end(false);

    // Only the prompt and field, and the function-key strip, belong to the form.
    const int bottom = client.height();
    const int strip_top = bottom - bottom % ch - 2 * fs - 8;
    strip_ = QRect(0, strip_top, client.width(), bottom - strip_top);
    QRegion region(QRect(x, y, label_width + edit_width, fs + 2));
    region += strip_;
    setMask(region);
}

// The field counts bytes, not characters: a full-width character takes two.
void TInpLineFrm::keep_within_max_length() {
    if (!request_) return;
    const QString now = edit_->text();
    if (cp932_length(now) <= request_->max_length) {
        last_good_ = now;
        return;
    }
    const int pos = edit_->cursorPosition() - (now.size() - last_good_.size());
    QSignalBlocker block(edit_);
    edit_->setText(last_good_);
    edit_->setCursorPosition(pos < 0 ? 0 : pos);
}

LineInputResult TInpLineFrm::run(ChwScreen& s, const LineInputRequest& r) {
    screen_ = &s;
    request_ = &r;
    result_ = line_input_escape();
    // The reference caption must be visible before the line takes the keys.
    if (screen_widget_) screen_widget_->repaint();
    lay_out(s, r);
    edit_->setFocus();
    strip_refresh_.start();
    exec();
    strip_refresh_.stop();
    clearMask();
    // Without a window manager nothing hands the keyboard back to the main
    // window when a modal form closes: the next keys would be lost.
    if (screen_widget_) screen_widget_->activateWindow();
    request_ = nullptr;
    screen_ = nullptr;
    return result_;
}

// The strip is the screen's: its bar, caption row and status line (a child
// of the screen widget) show through as they are at this moment.
void TInpLineFrm::paintEvent(QPaintEvent*) {
    if (!screen_widget_ || strip_.isEmpty()) return;
    QPainter painter(this);
    screen_widget_->render(&painter, strip_.topLeft(), QRegion(strip_),
                           QWidget::DrawWindowBackground | QWidget::DrawChildren);
}

void TInpLineFrm::finish(const LineInputResult& r) {
    result_ = r;
    done(r.code);
}

bool TInpLineFrm::eventFilter(QObject* watched, QEvent* e) {
    // A dialog that shows gives its focus widget a Tab focus, on which a
    // line edit selects all its text: the digit a screen opened the line
    // with would then be replaced by the next key typed. The focus is given
    // again without that reason, so the caret stays after the text.
    if (watched == edit_ && e->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(e)->reason() == Qt::TabFocusReason) {
        QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason);
        QApplication::sendEvent(edit_, &plain);
        return true;
    }
    if (watched != edit_ || e->type() != QEvent::KeyPress || !request_) return QDialog::eventFilter(watched, e);
    const auto* k = static_cast<QKeyEvent*>(e);
    switch (k->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        finish(line_input_enter(*screen_, *request_, to_cp932(edit_->text().toStdString())));
        return true;
    case Qt::Key_Escape:
        finish(line_input_escape());
        return true;
    case Qt::Key_F3:
        if (line_input_f3_closes(*request_)) {
            finish(line_input_reference());
            return true;
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, e);
}

void TInpLineFrm::mousePressEvent(QMouseEvent* e) {
    if (!request_ || !screen_ || !line_input_f3_closes(*request_)) return;
    const QPoint p = e->position().toPoint();
    const int row = p.y() / screen_->cell_height();
    const int column = p.x() * 2 / screen_->font_size();
    if (row == screen_->fkey_row() && fkey_at_column(column) == kKeyF3) finish(line_input_reference());
}

}  // namespace prismel
