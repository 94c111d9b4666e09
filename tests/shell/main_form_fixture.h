#pragma once
// A main window on a fresh program folder, with scripted start-up answers, a
// scripted message box, a recording output and a fixed input state, so the
// whole life of the window runs offscreen and sends nothing.
#include <QApplication>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chwin/msg_box_scripted.h"
#include "data/show_files.h"
#include "data/startup_dialogs.h"
#include "engine/playback_engine.h"
#include "platform/input_state.h"
#include "shell/main_form_qt.h"
#include "shell/main_menu.h"
#include "support/qt_app.h"
#include "support/temp_dir.h"

namespace prismel::test {

struct ScriptedDialogs : StartupDialogs {
    struct Box {
        std::string text, caption;
        bool question;
        bool exclamation;
    };
    std::deque<bool> answers;  // OK = true; questions beyond it are cancelled
    std::vector<Box> shown;
    bool ask_ok_cancel(const char* text, const char* caption) override {
        shown.push_back({text, caption, true, true});
        if (answers.empty()) return false;
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
    void tell(const char* text, const char* caption, bool exclamation) override {
        shown.push_back({text, caption, false, exclamation});
    }
};

struct RecordingOutput : OutputLink {
    struct Log {
        bool hook_set = false;
        bool started = false;
        bool terminated = false;
        int hold_at_start = -1;
        bool screen_at_start = false;
        bool menu_at_start = false;
        int universe = -1;
        bool first_frame_stepped = false;
    };
    explicit RecordingOutput(Log& log) : log_(log) {}
    void set_step_hook(std::function<void(DmxFrame&)> hook) override { log_.hook_set = static_cast<bool>(hook); }
    void set_universe(int u) override { log_.universe = universe_ = u; }
    int universe() const override { return universe_; }
    bool socket_ready() const override { return ready; }
    artnet::OutputStatus status() const override { return ready ? artnet::OutputStatus::ok : fault; }
    void start() override {
        log_.started = true;
        log_.hold_at_start = g_engine.hold_count();
        log_.screen_at_start = g_screen != nullptr;
        log_.menu_at_start = g_main_menu != nullptr && g_screen && g_screen->top_window() == g_main_menu;
    }
    void request_terminate() override { log_.terminated = true; }
    void step_before_first_frame() override { log_.first_frame_stepped = true; }
    bool alias_refused() const override { return refused; }
    bool ready = false;
    bool refused = false;
    artnet::OutputStatus fault = artnet::OutputStatus::no_socket;  // while not ready
    int universe_ = 0;
    Log& log_;
};

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        qt_app();
        saved_actions_ = main_menu_actions();
        main_menu_actions().run_screen = [this](ChwWindow*) { ++run_screen_opened; };
        set_input_state(&input);
        set_message_box(&box);
    }
    void TearDown() override {
        form.reset();
        set_message_box(nullptr);
        set_input_state(nullptr);
        main_menu_actions() = saved_actions_;
    }
    std::string exe() const { return dir.file("Prismel"); }
    std::string ini_path() const { return dir.file("Prismel.INI"); }
    void copy_presets() {
        write_text(dir.file("PRSMDATA.DEF"), read_text(PRISMEL_SOURCE_DIR "/assets/PRSMDATA.DEF"));
    }
    // Writes the seven show files so that start-up asks nothing.
    void write_show() { ASSERT_EQ(write_all_tables(g_show, dir.folder()), 0); }
    TPrismelMainForm& start() {
        MainFormOptions o;
        o.exe_path = exe();
        o.program_folder = program_folder;
        o.dialogs = &dialogs;
        o.make_output = [this] {
            auto out = std::make_unique<RecordingOutput>(output_log);
            out->refused = alias_refused;
            output = out.get();
            return out;
        };
        o.desktop_width = desktop_width;
        o.show_control = false;  // nothing listens either
        form = std::make_unique<TPrismelMainForm>(o);
        return *form;
    }
    TPrismelMainForm& start_shown() {
        start();
        form->show();
        QApplication::processEvents();
        return *form;
    }
    // F12 in the main menu with the given answer to the quit question.
    void quit(int answer) {
        box.answer(answer);
        form->FormKeyDown(123, 0);
    }

    TempDir dir;
    std::string program_folder;  // empty: beside the executable (dir)
    ScriptedDialogs dialogs;
    ScriptedMessageBox box;
    FixedInputState input;
    RecordingOutput::Log output_log;
    RecordingOutput* output = nullptr;
    std::unique_ptr<TPrismelMainForm> form;
    int run_screen_opened = 0;
    int desktop_width = 1920;  // the display the form is started on
    bool alias_refused = false;  // the output could not add its Art-Net address

private:
    MainMenuActions saved_actions_;
};

}  // namespace prismel::test
