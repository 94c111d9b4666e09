#pragma once
// The run screen on a 128 x 64 character screen above a backdrop, on the
// program's show and engine (as after start-up: standby, hold counter 0),
// with scripted Shift state, one-line input and settings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chwin/Chwinform.h"
#include "chwin/inp_line_scripted.h"
#include "data/show_data.h"
#include "engine/playback_engine.h"
#include "platform/input_state.h"
#include "platform/remote_port.h"
#include "platform/text_codec.h"
#include "screens/Runscr.h"
#include "screens/runscr_seams.h"

namespace prismel::test {

// Keeps the message line and counts what the writer invalidated.
class RecordingHost : public ChwHost {
public:
    void invalidate(const ChwRect&, bool) override { ++invalidations; }
    void repaint_now(const ChwRect&) override {}
    void set_message_line(const char* cp932) override { message = cp932 ? cp932 : ""; }
    void beep() override { ++beeps; }

    std::string message;  // CP932
    int invalidations = 0;
    int beeps = 0;
};

class RunscrTest : public ::testing::Test {
protected:
    static constexpr int kCueRow = 16;       // screen row of the current cue (window top 0 + 14 + 2)
    static constexpr int kStatusRow = 58;    // window bottom (64 - 5) - 1
    static constexpr int kBarRow = 62;
    static constexpr int kCaptionRow = 61;

    RunscrTest() : screen_(&host_) {
        g_screen = &screen_;
        screen_.set_fkey_row(screen_.visible_rows() - 2);
        backdrop_ = screen_.create_window(nullptr, "", kStyleBackdrop, 0, 0, 127, 63);
        backdrop_->key_handler = [](int, int) { return 0; };
        screen_.show_window(backdrop_);

        g_show.colours.clear_all();
        g_show.scenes.reset();
        g_show.chases.reset();
        g_show.cues.reset();
        g_show.reset_patch();
        g_show.reset_fkeys();

        g_engine.initialise();
        set_input_state(&keys_);
        while (g_engine.hold_count() > 0) g_engine.release();

        RunscrSeams& seams = runscr_seams();
        seams = RunscrSeams{};
        seams.set_no_entry_pointer = [this](bool on) { pointer_calls.push_back(on); };
        seams.show_output_monitor = [this] { ++monitor_shown; };
        seams.read_fkey_time = [this] { return fkey_time; };
        seams.write_fkey_time = [this](int v) { fkey_time = v; };
        seams.run_mouse = [this] { return run_mouse; };
        set_line_input(&input_);
    }

    ~RunscrTest() override {
        runscr_close();
        set_line_input(nullptr);
        set_input_state(nullptr);
        runscr_seams() = RunscrSeams{};
        g_engine.shut_down();
        screen_.close_window(backdrop_, true);
        g_screen = nullptr;
    }

    void open() { ASSERT_EQ(runscr_open(backdrop_), 1); }
    int key(int k, int flags = 0) { return deliver_key(screen_, k, flags); }
    void hold_shift() {
        keys_.shift = true;
        deliver_key(screen_, kKeyShift, kModShift);
    }
    void release_shift() {
        keys_.shift = false;
        deliver_key_release(screen_, kKeyShift, 0);
    }
    void tick() { deliver_tick(screen_); }
    void step(int n = 1) {
        for (int i = 0; i < n; ++i) g_engine.step(frame_);
    }
    EngineFields fields() const { return g_engine.fields(); }

    // UTF-8 text of a screen row (or part of one).
    std::string row(int r, int column = 0, int n = -1) const { return row_text(screen_, r, column, n); }
    const ChwCell& cell(int column, int r) const { return screen_.cell(column, r); }
    uint32_t colour(int index) const { return screen_.colour_of(index); }
    std::string message() const { return to_utf8(host_.message); }

    // Cue i used with a scene (and optionally a chase).
    static void use_cue(int i, int scene, int xtime = 20, int chase = kNone, int wait = 0) {
        CueRecord& c = g_show.cues[i];
        c.scene = static_cast<int16_t>(scene);
        c.scene_xtime = static_cast<int16_t>(xtime);
        c.chase = static_cast<int16_t>(chase);
        c.wait = static_cast<int16_t>(wait);
    }
    static void name_scene(int scene, const char* name) {
        std::snprintf(g_show.scenes[scene].name, sizeof g_show.scenes[scene].name, "%s", name);
    }
    static void set_colour(int i, const char* name, uint8_t y, uint8_t m, uint8_t c) {
        ColourRecord& r = g_show.colours.rec[i];
        std::snprintf(r.name, sizeof r.name, "%s", name);
        r.y = y;
        r.m = m;
        r.c = c;
    }
    static void set_fkey(int k, int type, int target, int xtime = 20, int rate = 20, const char* label = "") {
        FkeyRecord& f = g_show.fkeys[k];
        f.type = static_cast<int16_t>(type);
        f.target = static_cast<int16_t>(target);
        f.xtime = static_cast<int16_t>(xtime);
        f.rate = static_cast<int16_t>(rate);
        std::snprintf(f.label, sizeof f.label, "%s", label);
    }

    RecordingHost host_;
    ChwScreen screen_;
    ChwWindow* backdrop_ = nullptr;
    ScriptedLineInput input_;
    DmxFrame frame_{};
    FixedInputState keys_;
    bool run_mouse = false;
    int fkey_time = 0;
    int monitor_shown = 0;
    std::vector<bool> pointer_calls;
};

}  // namespace prismel::test
