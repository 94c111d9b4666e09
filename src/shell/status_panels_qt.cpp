#include "shell/status_panels_qt.h"

#include <algorithm>

#include "chwin/chw_canvas_qt.h"
#include "shell/main_layout.h"

namespace prismel {

StatusPanels::StatusPanels(QWidget* parent) : QWidget(parent) {
    setObjectName("StatusBar1");
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    for (int i = 0; i < kStatusPanels; ++i) {
        panels_[i] = new QLabel(this);
        panels_[i]->setObjectName(QString("Panel%1").arg(i));
        panels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panels_[i]->setFocusPolicy(Qt::NoFocus);
        panels_[i]->setTextFormat(Qt::PlainText);
        panels_[i]->setContentsMargins(2, 0, 2, 0);
    }
    set_font_size(fs_);
}

void StatusPanels::set_font_size(int fs) {
    fs_ = fs;
    QFont f(chw_font_family());
    f.setPixelSize(fs);
    f.setStyleHint(QFont::TypeWriter);
    setFont(f);
    setFixedHeight(fs + 4);
    place();
}

void StatusPanels::place() {
    int x = 0;
    for (int i = 0; i < kStatusPanels; ++i) {
        int w = status_panel_width(i, fs_);
        // The end panel is blank but where a console beside another shows
        // its role: then it is as wide as that.
        if (i == kStatusPanels - 1 && !panels_[i]->text().isEmpty())
            w = std::max(w, panels_[i]->fontMetrics().horizontalAdvance(panels_[i]->text()) + 8);
        panels_[i]->setGeometry(x, 0, w, fs_ + 4);
        x += w;
    }
}

void StatusPanels::set_text(int panel, const QString& text) {
    if (panel < 0 || panel >= kStatusPanels) return;
    if (panels_[panel]->text() == text) return;
    panels_[panel]->setText(text);
    if (panel == kStatusPanels - 1) place();
}

QString StatusPanels::text(int panel) const {
    return panel >= 0 && panel < kStatusPanels ? panels_[panel]->text() : QString();
}

int StatusPanels::panel_width(int panel) const {
    return panel >= 0 && panel < kStatusPanels ? panels_[panel]->width() : 0;
}

}  // namespace prismel
