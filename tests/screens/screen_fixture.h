#pragma once
// Every screen test starts here: a 128 x 64 character screen laid out with
// its function-key bar, the backdrop below the screen under test, the show's
// seven tables reset, the engine as after start-up (standby, hold counter 0,
// no remote port), scripted one-line input, message box and key state, and a
// program folder of its own for the files the editors write.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "chwin/Chwinform.h"
#include "chwin/inp_line_scripted.h"
#include "chwin/msg_box_scripted.h"
#include "chwin/reflist.h"
#include "data/show_data.h"
#include "engine/playback_engine.h"
#include "platform/input_state.h"
#include "platform/remote_port.h"
#include "platform/text_codec.h"
#include "settings/env_settings.h"
#include "support/temp_dir.h"

namespace prismel::test {

// Keeps the message line and counts invalidations and beeps.
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

class ScreenTest : public ::testing::Test {
protected:
    static constexpr int kBarRow = 62;
    static constexpr int kCaptionRow = 61;

    ScreenTest() : screen_(&host_) {
        g_screen = &screen_;
        screen_.set_fkey_row(screen_.visible_rows() - 2);
        backdrop_ = screen_.create_window(nullptr, "", kStyleBackdrop, 0, 0, 127, 63);
        backdrop_->key_handler = [](int, int) { return 0; };
        screen_.show_window(backdrop_);

        reset_show(g_show);
        install_remote_port(nullptr);
        g_engine.initialise();
        while (g_engine.hold_count() > 0) g_engine.release();

        env_.program_folder = folder_.folder();
        g_env = &env_;
        set_input_state(&keys_);
        set_line_input(&input_);
        set_message_box(&box_);
    }

    ~ScreenTest() override {
        close_colour_list();
        close_scene_list();
        close_chase_list();
        set_message_box(nullptr);
        set_line_input(nullptr);
        set_input_state(nullptr);
        g_env = nullptr;
        g_engine.shut_down();
        // The screen under test closes its own window (its module keeps the
        // pointer): derived fixtures close it in their destructors.
        screen_.close_window(backdrop_, true);
        g_screen = nullptr;
    }

    static void reset_show(ShowData& show) {
        show.colours.clear_all();
        show.scenes.reset();
        show.chases.reset();
        show.cues.reset();
        show.reset_patch();
        show.reset_fkeys();
        show.reset_groups();
    }

    // Input as the main window delivers it.
    int key(int k, int flags = 0) { return deliver_key(screen_, k, flags); }
    int click(int column, int row, int flags = 0) {
        return deliver_left_click(screen_, column, row, kButtonLeft, flags | kModLeftButton);
    }
    void wheel(int delta, int flags = 0) { deliver_wheel(screen_, delta, flags); }
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
    std::string bar() const { return to_utf8(screen_.fkey_labels()); }
    static std::string sjs(const char* utf8) { return sj(utf8); }

    // Small shows.
    static void set_colour(int i, const char* name, uint8_t y, uint8_t m, uint8_t c) {
        ColourRecord& r = g_show.colours.rec[i];
        std::snprintf(r.name, sizeof r.name, "%s", name);
        r.y = y;
        r.m = m;
        r.c = c;
    }
    static void name_scene(int scene, const char* name) {
        std::snprintf(g_show.scenes[scene].name, sizeof g_show.scenes[scene].name, "%s", name);
    }
    static void name_chase(int chase, const char* name) {
        std::snprintf(g_show.chases[chase].name, sizeof g_show.chases[chase].name, "%s", name);
    }
    static void set_chase(int chase, std::initializer_list<int> steps) {
        ChaseRecord& c = g_show.chases[chase];
        c.step_count = static_cast<uint8_t>(steps.size());
        int k = 0;
        for (int s : steps) c.steps[k++] = static_cast<int16_t>(s);
    }
    // Cue i used with a scene (and optionally a chase).
    static void use_cue(int i, int scene, int xtime = 20, int chase = kNone, int wait = 0) {
        CueRecord& c = g_show.cues[i];
        c.scene = static_cast<int16_t>(scene);
        c.scene_xtime = static_cast<int16_t>(xtime);
        c.chase = static_cast<int16_t>(chase);
        c.wait = static_cast<int16_t>(wait);
    }
    static void set_fkey(int k, int type, int target, int xtime = 20, int rate = 20, const char* label = "") {
        FkeyRecord& f = g_show.fkeys[k];
        f.type = static_cast<int16_t>(type);
        f.target = static_cast<int16_t>(target);
        f.xtime = static_cast<int16_t>(xtime);
        f.rate = static_cast<int16_t>(rate);
        std::snprintf(f.label, sizeof f.label, "%s", label);
    }
    static void patch(int fixture, int layout, int start) {
        g_show.patch[fixture].layout = static_cast<int16_t>(layout);
        g_show.patch[fixture].start = static_cast<int16_t>(start);
    }

    // The show the stress tests play: every fixture patched, scenes 1-10 each
    // lighting one fixture in colour 1, chase 1 stepping through scenes 2-4.
    static void stress_show() {
        for (int f = 0; f < kFixtures; ++f) patch(f, 1, f * 4);
        set_colour(1, "A", 1, 2, 3);
        for (int sc = 0; sc < 10; ++sc) g_show.scenes[sc].colour[sc] = 1;
        set_chase(0, {1, 2, 3});
    }
    // After a run against the step: the step ran meanwhile, no guard is left
    // held, and Esc closes the editor with the show given back.
    void expect_closes_clean(long steps) {
        EXPECT_GT(steps, 10);
        EXPECT_EQ(g_engine.hold_count(), 0);
        key(kKeyEsc);
        EXPECT_EQ(g_engine.snapshot_depth(), 0);
    }

    TempDir folder_;  // the program folder: the files the editors write land here
    EnvSettings env_;
    RecordingHost host_;
    ChwScreen screen_;
    ChwWindow* backdrop_ = nullptr;
    ScriptedLineInput input_;
    ScriptedMessageBox box_;
    FixedInputState keys_;
    DmxFrame frame_{};
};

}  // namespace prismel::test
