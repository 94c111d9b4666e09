// The start-up boxes give way to a stop signal.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include "main_form_fixture.h"
#include "shell/startup_dialogs_qt.h"

using namespace prismel;

namespace {

// Closes whatever box is still open after a while, so a box that did not give
// way fails the test instead of hanging it.
void close_stray_boxes_later(bool& stray) {
    QTimer::singleShot(5000, [&stray] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            stray = true;
            w->close();
        }
    });
}

// A stop by signal in an earlier test asked the application to quit while
// no loop ran; that request would end the next box at once. One turn of the
// application's loop clears it.
void clear_pending_quit() {
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

}  // namespace

TEST(QtStartupDialogs, AbandonCancelsTheOpenQuestionAndEveryLaterBox) {
    test::qt_app();
    clear_pending_quit();
    QtStartupDialogs dialogs;
    bool stray = false;
    close_stray_boxes_later(stray);
    QTimer::singleShot(50, [&dialogs] {
        ASSERT_NE(QApplication::activeModalWidget(), nullptr) << "the question is open";
        dialogs.abandon();
    });
    EXPECT_FALSE(dialogs.ask_ok_cancel("data?", "Prismel"));
    EXPECT_TRUE(dialogs.abandoned());
    // Nothing more is shown: these return at once.
    EXPECT_FALSE(dialogs.ask_ok_cancel("really?", "Prismel"));
    dialogs.tell("done", "Prismel", false);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(stray);
}
