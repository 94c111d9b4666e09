#pragma once
// A show, a simulated remote port and an engine running on them, as after
// start-up (initialised, hold counter back to 0), with helpers to build small
// shows.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "engine/Prsm_exe.h"
#include "platform/simulated_remote_port.h"

namespace prismel::test {

inline StoredDuration sd(int v) { return StoredDuration(v); }

class EngineTest : public ::testing::Test {
protected:
    EngineTest() : show_(std::make_unique<ShowData>()), port_(), engine_(*show_, port_) {
        engine_.initialise();
        engine_.release();
    }
    ~EngineTest() override { engine_.shut_down(); }

    ShowData& show() { return *show_; }

    void set_colour(int i, uint8_t y, uint8_t m, uint8_t c) {
        show().colours.rec[i].y = y;
        show().colours.rec[i].m = m;
        show().colours.rec[i].c = c;
    }
    void light(int scene, int fixture, int colour, uint8_t size) {
        show().scenes[scene].colour[fixture] = static_cast<int16_t>(colour);
        show().scenes[scene].size[fixture] = size;
    }
    void set_chase(int chase, std::initializer_list<int> steps) {
        ChaseRecord& c = show().chases[chase];
        c.step_count = static_cast<uint8_t>(steps.size());
        int k = 0;
        for (int s : steps) c.steps[k++] = static_cast<int16_t>(s);
    }
    CueRecord& cue(int i) { return show().cues[i]; }
    void set_cue(int i, int scene, int xtime, int chase = kNone, int rate = 20, int chase_xtime = 0,
                 int mode = 0, int wait = 0) {
        CueRecord& r = cue(i);
        r.scene = static_cast<int16_t>(scene);
        r.scene_xtime = static_cast<int16_t>(xtime);
        r.chase = static_cast<int16_t>(chase);
        r.rate = static_cast<int16_t>(rate);
        r.chase_xtime = static_cast<int16_t>(chase_xtime);
        r.mode = static_cast<int16_t>(mode);
        r.wait = static_cast<int16_t>(wait);
    }
    void patch(int fixture, int layout, int start) {
        show().patch[fixture].layout = static_cast<int16_t>(layout);
        show().patch[fixture].start = static_cast<int16_t>(start);
    }
    void step(int n = 1) {
        for (int i = 0; i < n; ++i) engine_.step(frame_);
    }
    EngineFields fields() const { return engine_.fields(); }
    // Level l (kLevel*) of fixture f in the last mix.
    int mix(int f, int l) const { return engine_.monitor()[f * kLevelsPerFixture + l]; }

    std::unique_ptr<ShowData> show_;
    SimulatedRemotePort port_;
    PlaybackEngine engine_;
    DmxFrame frame_{};
};

// The show of the stress tests: colours 1-4, and scenes 0-3 each lighting
// every fixture alike, patched with the Y of fixture f on slot f.
class UniformShowTest : public EngineTest {
protected:
    UniformShowTest() {
        for (int c = 1; c <= 4; ++c) set_colour(c, static_cast<uint8_t>(50 * c), static_cast<uint8_t>(20 * c), 3);
        for (int s = 0; s < 4; ++s) paint_scene(s, s + 1, static_cast<uint8_t>(40 * s + 10));
        patch_all();
    }
    void paint_scene(int scene, int colour, uint8_t size) {
        for (int f = 0; f < kFixtures; ++f) light(scene, f, colour, size);
    }
    void patch_all() {
        for (int f = 0; f < kFixtures; ++f) patch(f, 3, f);
    }
};

// The output thread's part in a stress test: the engine stepped flat out on
// another thread while work(0), work(1), ... run on this one until the time
// is up or `limit` calls were made. Every show the stress tests build lights
// slots 0-63 alike, so a frame whose first 64 slots differ was rendered from
// a half-changed state: it counts as torn.
struct StressResult {
    long steps = 0, torn = 0, calls = 0;
};

inline StressResult stress_against_step(PlaybackEngine& engine, const std::function<void(int)>& work,
                                        int milliseconds, long limit) {
    std::atomic<bool> stop{false};
    std::atomic<long> steps{0}, torn{0};
    std::thread output([&] {
        DmxFrame frame{};
        while (!stop.load(std::memory_order_relaxed)) {
            engine.step(frame);
            for (int f = 1; f < kFixtures; ++f) {
                if (frame[f] != frame[0]) {
                    torn.fetch_add(1);
                    break;
                }
            }
            steps.fetch_add(1, std::memory_order_relaxed);
        }
    });
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    StressResult r;
    for (int i = 0; std::chrono::steady_clock::now() < until && r.calls < limit; ++i, ++r.calls) work(i);
    stop = true;
    output.join();
    r.steps = steps.load();
    r.torn = torn.load();
    return r;
}

// No torn frame, both threads busy, and every hold given back.
inline void expect_clean_stress(const StressResult& r, const PlaybackEngine& engine) {
    EXPECT_EQ(r.torn, 0);
    EXPECT_GT(r.steps, 100);
    EXPECT_GT(r.calls, 100);
    EXPECT_EQ(engine.hold_count(), 0);
}

}  // namespace prismel::test
