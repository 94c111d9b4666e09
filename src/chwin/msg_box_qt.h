#pragma once
// The console's message box as a borderless, always-on-top dialog centred on
// the main window, in the screen's font and colours.
#include <QDialog>
#include <QFont>
#include <QString>

#include "chwin/msg_box.h"

namespace prismel {

class ChwScreen;

class TQzMsgBox : public QDialog, public MessageBoxSeam {
public:
    // main_window: the window the box is centred on; screen: font size,
    // colours and the beep option (both outlive the box).
    TQzMsgBox(QWidget* main_window, const ChwScreen& screen);

    // Shows the box modally; 1 for OK or YES, 2 for NO, Esc or a close.
    int ask(int kind, const char* line1, const char* line2) override;

    const MsgBoxLayout& layout() const { return layout_; }
    const MsgBoxModel& model() const { return model_; }

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void prepare(int kind, const char* line1, const char* line2);
    void finish(int result);
    void paint_button(QPainter& p, const MsgRect& r, const QString& label, bool selected);

    QWidget* main_window_;
    const ChwScreen& screen_;
    MsgBoxModel model_;
    MsgBoxLayout layout_;
    QFont font_;
    QString line1_, line2_;  // emptied after each use
};

}  // namespace prismel
