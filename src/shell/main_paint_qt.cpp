// The main window's layout and painting: the grid on the client area, the
// bottom strip, the title image with its notice line and the background.
#include <QGuiApplication>
#include <QPaintEvent>
#include <QScreen>
#include <QPainter>
#include <QResizeEvent>

#include "chwin/chw_painter.h"
#include "settings/env_settings.h"
#include "shell/main_form_qt.h"
#include "shell/main_layout.h"
#include "shell/main_menu.h"
#include "shell/title_sequence.h"
#include "platform/text_codec_qt.h"

namespace prismel {
namespace {

QRect to_qrect(const ChwRect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

}  // namespace

QSize TPrismelMainForm::form_size() const {
    const QRect f = frameGeometry();
    return f.isValid() ? f.size() : size();
}

QFont TPrismelMainForm::title_font() const {
    QFont f(chw_font_family());
    f.setPixelSize(screen_ ? screen_->font_size() : ChwScreen::kDefaultFontSize);
    return f;
}

QSize TPrismelMainForm::FormCanResize(QSize proposed) const {
    if (!screen_) return proposed;
    WindowSize w = can_resize({proposed.width(), proposed.height()}, 0, 0, screen_->font_size(),
                              screen_->stack_extent());
    return QSize(w.width, w.height);
}

QSize TPrismelMainForm::largest_client() const {
    const QScreen* desktop = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!desktop) return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QRect frame = frameGeometry();
    const QSize decoration = frame.isValid() ? frame.size() - size() : QSize(0, 0);
    return desktop->availableGeometry().size() - decoration;
}

void TPrismelMainForm::fit_to_font() {
    if (!screen_) return;
    const int fs = screen_->font_size();
    const QSize most = largest_client();
    setMinimumSize(QSize(kMinColumns * fs / 2, kMinRows * (fs + 4) + 2).boundedTo(most));
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized))) {
        const WindowSize fitted = fitted_to_font({width(), height()}, {most.width(), most.height()}, fs,
                                                 screen_->stack_extent());
        resize(fitted.width, fitted.height);
        // Grown past the desktop's edge: back onto it.
        const QScreen* desktop = screen() ? screen() : QGuiApplication::primaryScreen();
        if (desktop) {
            const QRect free = desktop->availableGeometry();
            const QRect frame = frameGeometry();
            const int x = std::max(free.left(), std::min(frame.left(), free.right() + 1 - frame.width()));
            const int y = std::max(free.top(), std::min(frame.top(), free.bottom() + 1 - frame.height()));
            if (x != frame.left() || y != frame.top()) move(x, y);
        }
    }
    FormResize();
}

void TPrismelMainForm::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (!screen_) return;
    // The resize rules apply to every size the window is given; a size they
    // change is corrected at once (and arrives here again). They never ask
    // for more than the desktop holds: there the bar stays on the client's
    // last rows instead (layout_for_client).
    const QSize allowed = FormCanResize(size()).boundedTo(largest_client().expandedTo(size()));
    if (allowed != size() && !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
        resize(allowed);
        return;
    }
    FormResize();
}

void TPrismelMainForm::FormResize() {
    if (!screen_) return;
    ChwScreen& s = *screen_;
    const int fs = s.font_size();
    status_->set_font_size(fs);
    status_->setGeometry(0, height() - (fs + 4), width(), fs + 4);
    if (s.fkey_row() >= 0) {
        s.clear_row(s.fkey_row() - 1);
        s.clear_row(s.fkey_row());
    }
    const GridLayout g = layout_for_client(width(), height(), fs);
    s.set_visible(g.columns, g.rows);
    s.set_fkey_row(g.fkey_row);
    const std::string labels = s.fkey_labels();
    s.draw_fkey_bar(labels.c_str());
    update();
}

TPrismelMainForm::PaintRegions TPrismelMainForm::paint_regions() const {
    PaintRegions p;
    if (!screen_) return p;
    const ChwScreen& s = *screen_;
    const int fs = s.font_size();
    const QRect client = rect();
    const int strip = bottom_strip_height(client.height(), fs);
    p.text = QRegion(0, client.height() - strip, client.width(), strip);
    QRegion background(0, 0, client.width(), client.height() - strip);
    for (const ChwWindow* w = s.top_window(); w && w != g_main_menu; w = w->parent) {
        p.text += to_qrect(s.pixel_rect(w));
        background -= p.text;
    }
    if (!title_bitmap_.isNull()) {
        const QSize form = form_size();
        const ChwRect r = title_image_rect(form.width(), form.height(), title_bitmap_.width(),
                                           title_bitmap_.height(), title_aspect_);
        if (title_countdown_ > 0 || !(g_env && g_env->hide_title)) {
            p.title_rect = to_qrect(r);
            p.title = QRegion(p.title_rect) - p.text;
        }
    }
    p.background = background - p.title;
    return p;
}

QString TPrismelMainForm::title_qstring() const {
    return qt_text(title_text(g_env ? g_env->notice : ""));
}

// The title text in the title font on the painter, with its extent.
TPrismelMainForm::TitleLine TPrismelMainForm::title_line(QPainter& painter) const {
    TitleLine line;
    line.text = title_qstring();
    painter.setFont(title_font());
    const QFontMetrics fm(painter.font());
    line.width = fm.horizontalAdvance(line.text);
    line.height = fm.height();
    return line;
}

void TPrismelMainForm::paintEvent(QPaintEvent* e) {
    if (!screen_) return;
    ChwScreen& s = *screen_;
    const PaintRegions regions = paint_regions();
    QPainter painter(this);

    // The character windows and the bottom strip, from the cells: only the
    // cells inside what was invalidated (the writer invalidates the cells
    // that changed), so a tick that changed a gauge paints that gauge.
    painter.setClipRegion(regions.text);
    QtChwCanvas canvas(painter, size(), glyphs_);
    canvas.set_font_size(s.font_size());
    for (const QRect& r : e->region()) paint_area(s, canvas, {r.left(), r.top(), r.right() + 1, r.bottom() + 1});
    paint_pressed_cap(s, canvas);

    // The title image, its notice line once the sequence is over, or the
    // title text while the sequence runs.
    if (!regions.title_rect.isEmpty() && e->region().intersects(regions.title)) {
        painter.setClipRegion(regions.title);
        painter.drawImage(regions.title_rect, title_bitmap_);
        const QSize form = form_size();
        const TitleLine line = title_line(painter);
        const QString& text = line.text;
        const int tw = line.width, th = line.height;
        if (title_countdown_ == 0) {
            painter.setPen(to_qcolor(s.colour_of(NoticeFg)));
            const int y = title_text_y(form.height(), regions.title_rect.height());
            painter.drawText(QRect((form.width() - tw) / 2, y, tw, th), Qt::AlignLeft | Qt::AlignTop, text);
        }
    }
    if (title_countdown_ > 0 && title_step_ != 0) {
        const QSize form = form_size();
        const TitleLine line = title_line(painter);
        const QString& text = line.text;
        const int tw = line.width, th = line.height;
        const int h = title_sequence_image_height(form.width(), form.height(), title_aspect_);
        const int y = title_text_y(form.height(), h);
        const bool full = title_step_ == 2;
        const int w = full ? tw : title_reveal_width_;
        // The line is uncovered from its centre outwards where it stands
        // when whole: the visible part never shows the line's first letters
        // in a box of its own.
        const int x = (form.width() - w) / 2;
        painter.setClipRegion(QRegion(x, y, w, th) - regions.text);
        painter.fillRect(QRect(x, y, w, th), to_qcolor(s.colour_of(full ? TitleAct : TitleNeg)));
        painter.setPen(to_qcolor(s.colour_of(TitleFg)));
        painter.drawText(QRect((form.width() - tw) / 2, y, tw, th), Qt::AlignLeft | Qt::AlignTop, text);
    }

    // Everywhere else: the wallpaper tiled from the client origin, or ScreenBg.
    const QRegion background = regions.background & e->region();
    if (!background.isEmpty()) {
        painter.setClipRegion(background);
        if (!wallpaper_bitmap_.isNull())
            painter.fillRect(rect(), QBrush(wallpaper_bitmap_));
        else
            painter.fillRect(rect(), to_qcolor(s.colour_of(ScreenBg)));
    }

    // The frame selection's outline, inverted.
    painter.setClipping(false);
    if (s.rubber_band.active && !s.rubber_band.rect.empty()) {
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.setPen(QPen(Qt::white, 1));
        painter.setBrush(Qt::NoBrush);
        const ChwRect& r = s.rubber_band.rect;
        painter.drawRect(QRect(r.left, r.top, r.width() - 1, r.height() - 1));
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    painter.end();

    // The main menu's labels: written into the cells, painted next time
    // only where they changed.
    if (s.top_window() == g_main_menu) draw_main_menu_labels(s);
}

void TPrismelMainForm::update_outline(const ChwRect& r) {
    if (r.empty()) return;
    const QRect q = to_qrect(r);
    QRegion edge = QRegion(q.adjusted(-1, -1, 1, 1)) - QRegion(q.adjusted(1, 1, -1, -1));
    update(edge);
}

}  // namespace prismel
