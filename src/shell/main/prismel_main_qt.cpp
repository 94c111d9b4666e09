// The program entry: one console per machine, the application and its
// forms, the message loop.
#include <QApplication>
#include <QMessageBox>
#include <QSocketNotifier>

#include <exception>
#include <memory>

#include "chwin/inp_line_qt.h"
#include "chwin/msg_box_qt.h"
#include "output/Outmon_qt.h"
#include "output/artnet_dlg_qt.h"
#include "shell/popup_menus_qt.h"
#include "output/stop_signals.h"
#include "platform/dialogs_qt.h"
#include "platform/input_state_qt.h"
#include "platform/remote_port.h"
#include "platform/single_instance.h"
#include "screens/diskop_qt.h"
#include "screens/runscr_qt.h"
#include "shell/main_form_qt.h"
#include "settings/program_folder.h"
#include "shell/startup_dialogs_qt.h"

namespace {

// An exception that reaches the message loop is shown with the standard
// error box and ends the program with 0.
class PrismelApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* e) override {
        try {
            return QApplication::notify(receiver, e);
        } catch (const std::exception& ex) {
            show_and_end(ex.what());
        } catch (...) {
            show_and_end("unknown exception");
        }
        return true;
    }

private:
    void show_and_end(const char* what) {
        QMessageBox::critical(nullptr, "Prismel", QString::fromLocal8Bit(what));
        exit(0);
    }
};

}  // namespace

int main(int argc, char** argv) {
    prismel::SingleInstance guard;
    if (guard.already_running()) return -1;

    // The window repaints a few cells up to 20 times a second. Through a
    // shared-memory image every paint of a place the last one showed waits
    // for the X server to answer (a round trip, two thread wake-ups); sent
    // over the connection the few changed pixels cost less. Set before the
    // X connection is made; a value the user set stays.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
    PrismelApplication app(argc, argv);
    // No display name: Qt would append it to every other window's title
    // (the output monitor is "出力モニタ", nothing more).
    app.setApplicationName("Prismel");
    prismel::QtInputState live_input;
    prismel::set_input_state(&live_input);
    // The remote GO contacts: the machine's first serial port, from here on
    // polled by the engine.
    prismel::install_remote_port(&prismel::system_remote_port());

    // Installed before the start-up questions: a stop signal that comes while
    // one is open cancels it and every later one, and the console then shuts
    // down in order as soon as its window exists.
    const bool stop_signals = prismel::artnet::install_stop_signals();
    prismel::QtStartupDialogs startup_dialogs;
    prismel::TPrismelMainForm* running = nullptr;
    std::unique_ptr<QSocketNotifier> stop_notifier;
    if (stop_signals) {
        stop_notifier = std::make_unique<QSocketNotifier>(prismel::artnet::stop_signal_fd(), QSocketNotifier::Read);
        QObject::connect(stop_notifier.get(), &QSocketNotifier::activated, &app, [&] {
            // The pipe stays readable: one stop is enough.
            stop_notifier->setEnabled(false);
            if (running) running->stop_by_signal();
            else startup_dialogs.abandon();
        });
    }
    int code = 0;
    try {
        const std::string exe = QCoreApplication::applicationFilePath().toLocal8Bit().toStdString();
        prismel::MainFormOptions options;
        options.exe_path = exe;
        options.program_folder = prismel::find_program_place(exe).folder;
        options.dialogs = &startup_dialogs;
        prismel::TPrismelMainForm form(options);
        prismel::TQzMsgBox message_box(&form, *prismel::g_screen);
        prismel::set_message_box(&message_box);
        prismel::TInpLineFrm line_input(&form);
        prismel::set_line_input(&line_input);
        prismel::TOutMonForm monitor(prismel::g_engine, prismel::g_show, form.settings_file(), &form);
        prismel::install_runscr_qt_seams(&form, &monitor);
        prismel::install_diskop_qt_seams(&form);
        prismel::QtDialogs dialogs(&form);
        prismel::set_dialogs(&dialogs);
        // "DMXインターフェイスの設定" in the options menu: the node dialog on the output.
        form.popup_menus()->show_node_dialog = [&form] {
            if (form.output()) prismel::show_node_dialog(&form, *form.output());
        };
        // A stop signal shuts the console down as the quit key would, so an
        // added address never outlives the program.
        running = &form;
        if (prismel::artnet::stop_requested()) {
            form.stop_by_signal();
        } else {
            form.show();
            code = app.exec();
        }
        running = nullptr;
        prismel::set_dialogs(nullptr);
        prismel::set_line_input(nullptr);
        prismel::set_message_box(nullptr);
    } catch (const std::exception& ex) {
        running = nullptr;
        QMessageBox::critical(nullptr, "Prismel", QString::fromLocal8Bit(ex.what()));
        code = 0;
    }
    prismel::set_input_state(nullptr);
    return code;
}
