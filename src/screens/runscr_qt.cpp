#include "screens/runscr_qt.h"

#include <QGuiApplication>
#include <QPointer>
#include <QWidget>

#include "output/Outmon_qt.h"
#include "screens/runscr_seams.h"
#include "settings/env_settings.h"

namespace prismel {

namespace {

// The override cursor is a stack: push it once, pop only what was pushed.
bool g_pointer_pushed = false;

void set_no_entry_pointer(bool on) {
    if (on && !g_pointer_pushed) {
        QGuiApplication::setOverrideCursor(Qt::ForbiddenCursor);
        g_pointer_pushed = true;
    } else if (!on && g_pointer_pushed) {
        QGuiApplication::restoreOverrideCursor();
        g_pointer_pushed = false;
    }
}

}  // namespace

void install_runscr_qt_seams(QWidget* main_window, TOutMonForm* monitor) {
    RunscrSeams& seams = runscr_seams();
    seams.set_no_entry_pointer = set_no_entry_pointer;
    QPointer<QWidget> main(main_window);
    QPointer<TOutMonForm> form(monitor);
    seams.toggle_output_monitor = [main, form] {
        if (!form) return;
        if (!form->isHidden()) {
            form->close();
            return;
        }
        form->show();
        if (main) {
            main->activateWindow();
            main->setFocus();
        }
    };
    seams.read_fkey_time = [] { return g_env ? g_env->fkey_time : 0; };
    seams.write_fkey_time = [](int v) {
        if (g_env) g_env->fkey_time = v;
    };
    seams.run_mouse = [] { return g_env && g_env->run_mouse; };
}

}  // namespace prismel
