#pragma once
// The one-line input as a borderless dialog over the character screen: a
// prompt and an edit field placed exactly on the cells the caller names, and
// the function-key strip (so the F3 cap can be clicked). The dialog is opaque
// and shaped to those parts, so everything else of the screen stays visible
// without a compositor; on its strip it shows the screen's own bar and status
// line, rendered afresh every 50 ms so the clock keeps ticking.
#include <QDialog>
#include <QRect>
#include <QString>
#include <QTimer>

#include "chwin/inp_line.h"

class QLabel;
class QLineEdit;

namespace prismel {

class TInpLineFrm : public QDialog, public LineInputSeam {
public:
    // screen_widget: the widget the character grid is painted on.
    explicit TInpLineFrm(QWidget* screen_widget);

    LineInputResult run(ChwScreen& screen, const LineInputRequest& request) override;

    QLineEdit* line_edit() const { return edit_; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void lay_out(const ChwScreen& s, const LineInputRequest& r);
    void keep_within_max_length();
    void finish(const LineInputResult& r);

    QWidget* screen_widget_;
    QLabel* label_;
    QLineEdit* edit_;
    ChwScreen* screen_ = nullptr;
    const LineInputRequest* request_ = nullptr;
    LineInputResult result_;
    QString last_good_;
    QRect strip_;  // the function-key strip, in the screen widget's coordinates too
    QTimer strip_refresh_;
};

}  // namespace prismel
