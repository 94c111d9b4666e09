// The run screen's redraw on a full show: every cue used, every scene named
// and lit, every chase 48 steps, a scene fade and a chase running. The
// character screen repaints only what changed, so a steady screen must change
// no cell at all.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

#include "chwin/Chwinform.h"
#include "data/show_data.h"
#include "engine/playback_engine.h"
#include "platform/remote_port.h"
#include "screens/Runscr.h"

namespace prismel {
namespace {

class CountingHost : public ChwHost {
public:
    void invalidate(const ChwRect&, bool) override { ++invalidations; }
    void repaint_now(const ChwRect&) override {}
    void set_message_line(const char*) override {}
    void beep() override {}
    long invalidations = 0;
};

void fill_show() {
    for (int i = 0; i < kColours; ++i) {
        ColourRecord& c = g_show.colours.rec[i];
        std::snprintf(c.name, sizeof c.name, "C%03d", i % 1000);
        c.y = static_cast<uint8_t>(i * 7);
        c.m = static_cast<uint8_t>(i * 13);
        c.c = static_cast<uint8_t>(i * 29);
    }
    for (int s = 0; s < kScenes; ++s) {
        SceneRecord& r = g_show.scenes[s];
        std::snprintf(r.name, sizeof r.name, "SCENE NUMBER %03d", s + 1);
        for (int f = 0; f < kFixtures; ++f) {
            // Half the fixtures of odd scenes are left to the chase.
            r.colour[f] = static_cast<int16_t>((s % 2 && f % 2) ? kNone : (s * 3 + f) % kColours);
            r.size[f] = 255;
        }
    }
    for (int c = 0; c < kChases; ++c) {
        ChaseRecord& r = g_show.chases[c];
        std::snprintf(r.name, sizeof r.name, "CHASE %02d", c + 1);
        r.step_count = kChaseSteps;
        for (int k = 0; k < kChaseSteps; ++k) r.steps[k] = static_cast<int16_t>((c + k) % kScenes);
    }
    for (int i = 0; i < kCues; ++i) {
        CueRecord& q = g_show.cues[i];
        q.scene = static_cast<int16_t>(i % kScenes);
        q.chase = static_cast<int16_t>(i % kChases);
        q.wait = static_cast<int16_t>(i % 3 == 0 ? 40 : 0);
    }
    for (int f = 0; f < kFixtures; ++f) g_show.patch[f] = PatchRecord{1, static_cast<int16_t>(f * 4)};
}

struct RunScreenOnFullShow {
    CountingHost host;
    ChwScreen screen{&host};
    ChwWindow* backdrop = nullptr;

    RunScreenOnFullShow() {
        g_screen = &screen;
        screen.set_fkey_row(screen.visible_rows() - 2);
        backdrop = screen.create_window(nullptr, "", kStyleBackdrop, 0, 0, 127, 63);
        backdrop->key_handler = [](int, int) { return 0; };
        screen.show_window(backdrop);
        fill_show();
        g_engine.initialise();
        system_remote_port().close();  // no remote GO from whatever the machine's port shows
        while (g_engine.hold_count() > 0) g_engine.release();
        runscr_open(backdrop);
        g_engine.go_to_cue(501);  // cue 501 waits, its chase crossfades in
        DmxFrame frame{};
        for (int i = 0; i < 10; ++i) g_engine.step(frame);
        runscr_draw();
    }
    ~RunScreenOnFullShow() {
        runscr_close();
        g_engine.shut_down();
        screen.close_window(backdrop, true);
        g_screen = nullptr;
    }
};

// A redraw on a screen whose engine state does not change: the cost of every
// tick in which nothing happens, and the number of cells that changed.
void BM_RunscrDrawSteady(benchmark::State& state) {
    RunScreenOnFullShow run;
    ChwCell before[ChwScreen::kRows][ChwScreen::kColumns];
    for (int r = 0; r < ChwScreen::kRows; ++r)
        for (int c = 0; c < ChwScreen::kColumns; ++c) before[r][c] = run.screen.cell(c, r);
    const long invalidations = run.host.invalidations;
    for (auto _ : state) runscr_draw();
    long changed = 0;
    for (int r = 0; r < ChwScreen::kRows; ++r)
        for (int c = 0; c < ChwScreen::kColumns; ++c) changed += !(before[r][c] == run.screen.cell(c, r));
    state.counters["changed_cells"] = static_cast<double>(changed);
    state.counters["invalidations"] = static_cast<double>(run.host.invalidations - invalidations);
}
BENCHMARK(BM_RunscrDrawSteady);

// A redraw after each engine step, as on a live show (the gauges and the
// chase move); the step itself is not timed.
void BM_RunscrDrawLive(benchmark::State& state) {
    RunScreenOnFullShow run;
    DmxFrame frame{};
    for (auto _ : state) {
        state.PauseTiming();
        g_engine.step(frame);
        state.ResumeTiming();
        runscr_draw();
    }
}
BENCHMARK(BM_RunscrDrawLive);

}  // namespace
}  // namespace prismel
