// The Qt message box and one-line input closed by synthetic events, offscreen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>

#include <functional>

#include "chwin/chw_screen.h"
#include "chwin/inp_line_qt.h"
#include "chwin/msg_box_qt.h"
#include "platform/text_codec.h"

namespace prismel {
namespace {

void ensure_app() {
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
}

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

class QtFormsTest : public ::testing::Test {
protected:
    void SetUp() override { ensure_app(); }
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

}  // namespace
}  // namespace prismel
