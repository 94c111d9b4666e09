// A line opened with text already in it (the key that opened it, say) goes
// on from that text: what is typed next is added, it does not replace it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include "chwin/chw_screen.h"
#include "chwin/inp_line_qt.h"

namespace prismel {
namespace {

TEST(LineInputPreset, TypingGoesOnAfterTheInitialText) {
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
    ChwScreen screen;
    TInpLineFrm line(nullptr);
    LineInputRequest r;
    r.max_length = 4;
    r.mode = inp_mode::kText;
    r.text = "M";
    bool selected = true;
    QTimer::singleShot(0, &line, [&] {
        selected = line.line_edit()->hasSelectedText();
        line.line_edit()->insert("ix");
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(line.line_edit(), &enter);
    });
    QTimer::singleShot(5000, &line, [&line] { line.done(99); });
    const LineInputResult out = line.run(screen, r);
    EXPECT_FALSE(selected);
    EXPECT_EQ(out.code, 1);
    EXPECT_EQ(out.text, "Mix");
}

}  // namespace
}  // namespace prismel
