// The Qt message box and one-line input closed by synthetic events, offscreen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <functional>

#include "chwin/chw_screen.h"
#include "chwin/inp_line_qt.h"
#include "chwin/msg_box_qt.h"
#include "platform/text_codec.h"
#include "support/qt_app.h"

namespace prismel {
namespace {

void key(QObject* to, int qt_key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, qt_key, Qt::NoModifier, text);
    QApplication::sendEvent(to, &press);
}

// Runs the events once the modal loop is up; a stuck dialog is closed after
// a few seconds so a fault fails the test instead of hanging it.
void when_shown(QDialog& d, std::function<void()> events) {
    QTimer::singleShot(0, &d, std::move(events));
    QTimer::singleShot(5000, &d, [&d] { d.done(99); });
}

// Stands in for the main window: one colour all over.
class ColourWidget : public QWidget {
public:
    QColor colour = Qt::green;

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), colour); }
};

class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

class QtFormsTest : public ::testing::Test {
protected:
    void SetUp() override { test::qt_app(); }
    ChwScreen screen;
};

TEST_F(QtFormsTest, MessageBoxYThenEnterAnswersYes) {
    TQzMsgBox box(nullptr, screen);
    when_shown(box, [&] {
        key(&box, Qt::Key_Y, "y");
        EXPECT_TRUE(box.model().yes_selected());
        EXPECT_TRUE(box.isVisible());  // Y only selects
        key(&box, Qt::Key_Return);
    });
    EXPECT_EQ(box.ask(kMsgYesNo, sj("データを削除してもいいですか?"), nullptr), 1);
    EXPECT_FALSE(box.isVisible());
}

TEST_F(QtFormsTest, MessageBoxEnterOnAFreshYesNoAnswersNo) {
    TQzMsgBox box(nullptr, screen);
    when_shown(box, [&] { key(&box, Qt::Key_Return); });
    EXPECT_EQ(box.ask(kMsgYesNo, "line", "second"), 2);
    EXPECT_EQ(box.model().kind(), kMsgOk);  // reset for the next use
}

TEST_F(QtFormsTest, MessageBoxClickOnYes) {
    TQzMsgBox box(nullptr, screen);
    when_shown(box, [&] {
        const MsgRect yes = box.layout().yes_button();
        const QPointF at(yes.left + 2, yes.top + 2);
        QMouseEvent press(QEvent::MouseButtonPress, at, box.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&box, &press);
    });
    EXPECT_EQ(box.ask(kMsgYesNo, "line", ""), 1);
    EXPECT_EQ(box.width(), box.layout().width);
    EXPECT_EQ(box.height(), 196);
}

TEST_F(QtFormsTest, LineInputEnterValidatesTheTypedNumber) {
    TInpLineFrm line(nullptr);
    LineInputRequest r;
    r.max_length = 3;
    when_shown(line, [&] {
        line.line_edit()->insert("12");
        key(line.line_edit(), Qt::Key_Return);
    });
    LineInputResult out = line.run(screen, r);
    EXPECT_EQ(out.code, 1);
    EXPECT_EQ(out.int_value, 12);
}

// A screen opens the line with the digit that was typed: the next keys go
// after it, not over it.
TEST_F(QtFormsTest, LineInputKeepsItsInitialTextUnselected) {
    TInpLineFrm line(nullptr);
    LineInputRequest r;
    r.max_length = 4;
    r.mode = inp_mode::kReal;
    r.text = "1";
    bool selected = true;
    when_shown(line, [&] {
        selected = line.line_edit()->hasSelectedText();
        line.line_edit()->insert(".5");
        key(line.line_edit(), Qt::Key_Return);
    });
    LineInputResult out = line.run(screen, r);
    EXPECT_FALSE(selected);
    EXPECT_EQ(out.code, 1);
    EXPECT_EQ(out.text, "1.5");
}

TEST_F(QtFormsTest, LineInputCountsBytesAndF3AsksForTheList) {
    TInpLineFrm line(nullptr);
    LineInputRequest r;
    r.max_length = 4;
    r.mode = inp_mode::kText | inp_mode::kColourRef;
    std::string seen;
    when_shown(line, [&] {
        line.line_edit()->insert(QString::fromUtf8("あいう"));  // 6 bytes: refused
        line.line_edit()->insert(QString::fromUtf8("あい"));
        seen = to_cp932(line.line_edit()->text().toStdString());
        key(line.line_edit(), Qt::Key_F3);
    });
    LineInputResult out = line.run(screen, r);
    EXPECT_EQ(seen, sj("あい"));
    EXPECT_EQ(out.code, 1);
    EXPECT_EQ(out.reference_requested, kRefRequestKey);
    EXPECT_EQ(out.text, "");
}

// Without a compositor nothing shows through the dialog: its strip is the
// screen's, rendered again and again, and its prompt and field are opaque.
TEST_F(QtFormsTest, LineInputShowsTheScreensStripAndItsOwnColours) {
    ColourWidget main;
    main.resize(920, 698);
    TInpLineFrm line(&main);
    LineInputRequest r;
    r.prompt = "No. ";
    r.column = 2;
    r.row = 5;
    r.max_length = 4;
    const QPoint in_strip(500, 698 - 30);
    const QPoint in_label(2 * 10 + 4 * 10, 5 * 24 + 10);       // the prompt's last pixels
    const QPoint in_field(2 * 10 + 44 + 4 * 10, 5 * 24 + 10);  // the empty field's end
    QImage first, later;
    PaintCounter counter;
    when_shown(line, [&] {
        first = line.grab().toImage();
        main.colour = Qt::magenta;
        line.installEventFilter(&counter);
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 300) QApplication::processEvents(QEventLoop::AllEvents, 20);
        later = line.grab().toImage();
        key(line.line_edit(), Qt::Key_Escape);
    });
    line.run(screen, r);
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first.pixelColor(in_strip), QColor(Qt::green));
    EXPECT_EQ(later.pixelColor(in_strip), QColor(Qt::magenta));
    EXPECT_GE(counter.paints, 3);  // refreshed every 50 ms while open
    const uint32_t hi = screen.colour_of(WinHiBg);
    EXPECT_EQ(first.pixelColor(in_label), QColor(hi & 0xFF, (hi >> 8) & 0xFF, (hi >> 16) & 0xFF));
    EXPECT_EQ(first.pixelColor(in_field), QColor(Qt::blue));
}

}  // namespace
}  // namespace prismel
