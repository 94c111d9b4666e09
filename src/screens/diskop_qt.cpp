#include "screens/diskop_qt.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>

#include <chrono>
#include <thread>

#include "screens/diskop_seams.h"

namespace prismel {

namespace {

int g_busy_pushed = 0;

}  // namespace

void install_diskop_qt_seams(QWidget* main_window) {
    DiskopSeams& seams = diskop_seams();
    seams.set_busy_pointer = [](bool busy) {
        if (busy) {
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
            ++g_busy_pushed;
        } else if (g_busy_pushed > 0) {
            QGuiApplication::restoreOverrideCursor();
            --g_busy_pushed;
        }
    };
    QPointer<QWidget> main(main_window);
    // The status line is a child of the main window: one repaint takes both.
    seams.repaint_now = [main] {
        if (main) main->repaint();
    };
    seams.wait = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
}

}  // namespace prismel
