#pragma once
// The main window's status line: four panels side by side (messages, date
// and time, DMX status, and an end panel, blank unless the console works
// beside a primary or backup console), one row high, in the console's font.
#include <QLabel>
#include <QString>
#include <QWidget>

namespace prismel {

class StatusPanels : public QWidget {
    Q_OBJECT
public:
    explicit StatusPanels(QWidget* parent);
    // Height fs + 4, font at fs pixels, panel widths 26 fs, 9 fs, 6 fs, 50.
    void set_font_size(int fs);
    void set_text(int panel, const QString& text);
    QString text(int panel) const;
    int panel_width(int panel) const;

private:
    void place();
    QLabel* panels_[4] = {};
    int fs_ = 20;
};

}  // namespace prismel
