// The main window's timer and input: the title sequence, the status line,
// the hold repeat, and every key and mouse event passed to the top window.
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <ctime>

#include "chwin/chw_frame_select.h"
#include "chwin/chw_input.h"
#include "chwin/chw_keys.h"
#include "platform/text_codec.h"
#include "platform/text_codec_qt.h"
#include "platform/virtual_keys_qt.h"
#include "remote/message_mailbox.h"
#include "screens/Runscr.h"
#include "screens/edit_keeper.h"
#include "settings/env_settings.h"
#include "shell/main_form_qt.h"
#include "shell/main_layout.h"
#include "shell/main_menu.h"
#include "shell/title_sequence.h"

namespace prismel {
namespace {

int modifier_flags(Qt::KeyboardModifiers m) {
    return ((m & Qt::ShiftModifier) ? kModShift : 0) | ((m & Qt::AltModifier) ? kModAlt : 0) |
           ((m & Qt::ControlModifier) ? kModCtrl : 0);
}

int mouse_flags(const QMouseEvent* e) {
    const Qt::MouseButtons b = e->buttons() | e->button();
    return modifier_flags(e->modifiers()) | ((b & Qt::LeftButton) ? kModLeftButton : 0) |
           ((b & Qt::RightButton) ? kModRightButton : 0) | ((b & Qt::MiddleButton) ? kModMiddleButton : 0);
}

int button_code(Qt::MouseButton b) {
    return b == Qt::RightButton ? kButtonRight : b == Qt::MiddleButton ? kButtonMiddle : kButtonLeft;
}

bool is_left(Qt::MouseButton b) { return b == Qt::LeftButton; }

}  // namespace

// --- the 50 ms timer

void TPrismelMainForm::Timer1Timer() {
    if (!screen_) return;
    ChwScreen& s = *screen_;

    if (title_countdown_ > 0) {
        const QString text = title_qstring();
        const QFontMetrics fm(title_font());
        const TitleTick t = title_tick(title_countdown_, s.top_window() == g_main_menu, fm.horizontalAdvance(text));
        draw_title_step(static_cast<int>(t.step), t.width);
    }

    // The panels are written when their text changes (the clock once a
    // second), not every tick: a tick on a steady screen builds no text.
    const std::time_t now = std::time(nullptr);
    if (now != clock_shown_) {
        clock_shown_ = now;
        std::tm local{};
        localtime_r(&now, &local);
        status_->set_text(1, QString::fromStdString(clock_text(local)));
    }
    const artnet::OutputStatus dmx = output_ ? output_->status() : artnet::OutputStatus::no_socket;
    if (dmx != dmx_shown_) {
        dmx_shown_ = dmx;
        status_->set_text(2, artnet::dmx_status_text(dmx));
    }
    // What the remotes' last action came to ("no such cue"), as a key's would.
    if (std::string said; g_remote_messages.take(said)) s.show_message(said.c_str());

    // What must outlive a crash: the live show's record and the open editors' tables.
    if (journal_) journal_->tick(output_ ? output_->universe() : 0, s);
    if (backup_) {
        const bool backed = backup_->tick(journal_ ? journal_->show_digest() : 0, s);
        if (journal_) journal_->set_backup_following(backed);
        if (std::string role = backup_->status_message(); role != role_shown_) {
            role_shown_ = std::move(role);
            status_->set_text(3, qt_text(role_shown_));
        }
    }
    keep_open_edits(s, EditClock::now());

    if (!s.top_window()) return;
    hold_repeat_.tick(s, [this] {
        const QPoint p = mapFromGlobal(QCursor::pos());
        return ChwPoint{p.x(), p.y()};
    });
    deliver_tick(s);
}

void TPrismelMainForm::draw_title_step(int step, int width) {
    const QSize form = form_size();
    const QFontMetrics fm(title_font());
    const int th = fm.height();
    const int y = title_text_y(form.height(), title_sequence_image_height(form.width(), form.height(), title_aspect_));
    switch (static_cast<TitleStep>(step)) {
        case TitleStep::Reveal:
            title_step_ = 1;
            title_reveal_width_ = width;
            update(QRect((form.width() - width) / 2, y, width, th));
            break;
        case TitleStep::Full: {
            title_step_ = 2;
            const int tw = fm.horizontalAdvance(title_qstring());
            update(QRect((form.width() - tw) / 2, y, tw, th));
            break;
        }
        case TitleStep::End:
            title_step_ = 0;
            if (screen_->fkey_row() >= 0) screen_->clear_row(screen_->fkey_row() - 1);
            if (g_env && g_env->hide_title) update();
            if (MainMenuActions& a = main_menu_actions(); a.run_screen) a.run_screen(g_main_menu);
            break;
        default: break;
    }
}

// --- keys

void TPrismelMainForm::end_title_sequence_by_input() {
    if (title_countdown_ > 0) {
        title_countdown_ = 0;
        title_step_ = 0;
        update();
    }
}

void TPrismelMainForm::act_on_key_result(int result) {
    if (result == kResultQuit) request_close();
}

void TPrismelMainForm::FormKeyDown(int key, int flags) {
    if (!screen_) return;
    ChwScreen& s = *screen_;
    s.press_fkey(key);
    ChwWindow* top = s.top_window();
    if (!top || !top->key_handler) return;
    end_title_sequence_by_input();
    act_on_key_result(deliver_key(s, key, flags));
}

void TPrismelMainForm::FormKeyUp(int key, int flags) {
    if (!screen_) return;
    ChwScreen& s = *screen_;
    s.release_fkey();
    ChwWindow* top = s.top_window();
    if (top && top->key_handler) deliver_key_release(s, key, flags);
}

void TPrismelMainForm::keyPressEvent(QKeyEvent* e) {
    const int vk = virtual_key_of(e->key(), (e->modifiers() & Qt::KeypadModifier) != 0, e->nativeScanCode());
    if (vk == 0) {
        e->ignore();
        return;
    }
    FormKeyDown(vk, modifier_flags(e->modifiers()));
    e->accept();
}

void TPrismelMainForm::keyReleaseEvent(QKeyEvent* e) {
    // Auto-repeat comes as release and press pairs: only a real release counts.
    if (e->isAutoRepeat()) return;
    const int vk = virtual_key_of(e->key(), (e->modifiers() & Qt::KeypadModifier) != 0, e->nativeScanCode());
    FormKeyUp(vk, modifier_flags(e->modifiers()));
}

// --- mouse

bool TPrismelMainForm::mouse_ignored() const {
    if (!screen_) return true;
    const ChwWindow* top = screen_->top_window();
    if (!top) return true;
    if (top == runscr_window() && !(g_env && g_env->run_mouse)) return true;
    return false;
}

void TPrismelMainForm::FormMouseDown(int button, int flags, int x, int y) {
    if (mouse_ignored()) {
        // The run screen takes no mouse unless the option allows it: a click
        // there says so rather than doing nothing.
        static const char* refused = sj("実行画面ではマウスは使えません (ｵﾌﾟｼｮﾝで切替)");
        if (button == kButtonLeft && screen_ && screen_->top_window() == runscr_window()) screen_->show_message(refused);
        return;
    }
    if (!screen_->top_window()->key_handler) return;
    ChwScreen& s = *screen_;
    end_title_sequence_by_input();
    if (button != kButtonLeft) return;
    hold_repeat_.press();
    const int fs = s.font_size();
    const ChwPress press = deliver_left_press(s, x * 2 / fs, y / s.cell_height(), button, flags);
    if (press.key != 0) {
        act_on_key_result(press.result);
        return;
    }
    const ChwRect area = start_frame_select(s, x, y);
    if (!area.empty()) confine_ = QRect(area.left, area.top, area.width(), area.height());
}

void TPrismelMainForm::FormMouseMove(int, int x, int y) {
    if (!screen_ || !screen_->rubber_band.active) return;
    ChwRubberBand& band = screen_->rubber_band;
    update_outline(band.rect);
    drag_frame_select(*screen_, x, y);
    update_outline(band.rect);
}

void TPrismelMainForm::FormMouseUp(int, int flags, int, int) {
    if (!screen_) return;
    ChwScreen& s = *screen_;
    s.release_fkey();
    if (!s.rubber_band.active) return;
    update_outline(s.rubber_band.rect);
    confine_ = QRect();
    end_frame_select(s, flags);
}

void TPrismelMainForm::FormDblClick() {
    if (mouse_ignored() || !screen_->top_window()->double_click_handler) return;
    deliver_double_click(*screen_);
}

void TPrismelMainForm::FormMouseWheel(int flags, int delta) {
    if (mouse_ignored() || !screen_->top_window()->key_handler) return;
    deliver_wheel(*screen_, delta, flags);
}

void TPrismelMainForm::mousePressEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    FormMouseDown(button_code(e->button()), mouse_flags(e), p.x(), p.y());
}

void TPrismelMainForm::mouseMoveEvent(QMouseEvent* e) {
    QPoint p = e->position().toPoint();
    if (!confine_.isNull() && !confine_.contains(p)) {
        // The pointer stays inside the window while a frame is drawn.
        p = QPoint(std::clamp(p.x(), confine_.left(), confine_.right()),
                   std::clamp(p.y(), confine_.top(), confine_.bottom()));
        QCursor::setPos(mapToGlobal(p));
    }
    FormMouseMove(mouse_flags(e), p.x(), p.y());
}

void TPrismelMainForm::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    FormMouseUp(button_code(e->button()), mouse_flags(e), p.x(), p.y());
}

// A double click comes as press, release, double click, release: the double
// click stands for the second press, which follows the double-click handler
// (so a window that the handler closed never sees the second click).
void TPrismelMainForm::mouseDoubleClickEvent(QMouseEvent* e) {
    if (is_left(e->button())) FormDblClick();
    const QPoint p = e->position().toPoint();
    FormMouseDown(button_code(e->button()), mouse_flags(e) | kModDouble, p.x(), p.y());
}

void TPrismelMainForm::wheelEvent(QWheelEvent* e) {
    // With Alt held the wheel arrives as horizontal.
    const QPoint d = e->angleDelta();
    const int delta = d.y() != 0 ? d.y() : d.x();
    FormMouseWheel(modifier_flags(e->modifiers()), delta);
    e->accept();
}

}  // namespace prismel
