// The run screen's redraw on a full show: every cue used, every scene named
// and lit, every chase 48 steps, a scene fade and a chase running. The
// character screen repaints only what changed, so a steady screen must change
// no cell at all.
#include <benchmark/benchmark.h>

#include "full_show.h"
#include "screens/Runscr.h"

namespace prismel::bench {
namespace {

struct RunScreenOnFullShow : BenchScreen {
    RunScreenOnFullShow() {
        runscr_open(backdrop);
        g_engine.go_to_cue(501);  // cue 501 waits, its chase crossfades in
        DmxFrame frame{};
        for (int i = 0; i < 10; ++i) g_engine.step(frame);
        runscr_draw();
    }
    ~RunScreenOnFullShow() { runscr_close(); }
};

// A redraw on a screen whose engine state does not change: the cost of every
// tick in which nothing happens, and the number of cells that changed.
void BM_RunscrDrawSteady(benchmark::State& state) {
    RunScreenOnFullShow run;
    const BenchScreen::Cells before = run.cells();
    const long invalidations = run.host.invalidations;
    for (auto _ : state) runscr_draw();
    state.counters["changed_cells"] = static_cast<double>(run.changed_since(before));
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
}  // namespace prismel::bench
