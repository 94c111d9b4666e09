#pragma once
// The run screen above the backdrop, with scripted Shift state, one-line
// input and the settings it keeps.
#include <vector>

#include "screen_fixture.h"
#include "screens/Runscr.h"
#include "screens/runscr_seams.h"

namespace prismel::test {

class RunscrTest : public ScreenTest {
protected:
    static constexpr int kCueRow = 16;     // screen row of the current cue (window top 0 + 14 + 2)
    static constexpr int kStatusRow = 58;  // window bottom (64 - 5) - 1

    RunscrTest() {
        RunscrSeams& seams = runscr_seams();
        seams = RunscrSeams{};
        seams.set_no_entry_pointer = [this](bool on) { pointer_calls.push_back(on); };
        seams.toggle_output_monitor = [this] { ++monitor_toggled; };
        seams.read_fkey_time = [this] { return fkey_time; };
        seams.write_fkey_time = [this](int v) { fkey_time = v; };
        seams.run_mouse = [this] { return run_mouse; };
    }

    ~RunscrTest() override {
        runscr_close();
        runscr_seams() = RunscrSeams{};
    }

    void open() { ASSERT_EQ(runscr_open(backdrop_), 1); }
    void hold_shift() {
        keys_.shift = true;
        deliver_key(screen_, kKeyShift, kModShift);
    }
    void release_shift() {
        keys_.shift = false;
        deliver_key_release(screen_, kKeyShift, 0);
    }

    bool run_mouse = false;
    int fkey_time = 0;
    int monitor_toggled = 0;
    std::vector<bool> pointer_calls;
};

}  // namespace prismel::test
