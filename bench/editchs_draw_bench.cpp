// The chase editor's redraw on a full show: a chase of 48 steps on the
// screen, every scene named, the chase tested at its rate. The character
// screen repaints only what changed, so a steady screen must change no cell.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "full_show.h"
#include "screens/Editchs.h"
#include "settings/env_settings.h"

namespace prismel::bench {
namespace {

struct ChaseEditorOnFullShow : BenchScreen {
    explicit ChaseEditorOnFullShow(bool testing) {
        // The editor writes the chase file when it closes: into a folder of
        // the benchmark's own.
        const std::filesystem::path folder = std::filesystem::temp_directory_path() / "prismel_editchs_bench";
        std::filesystem::create_directories(folder);
        env.program_folder = folder.string() + "/";
        g_env = &env;
        g_engine.go_to_cue(501);
        editchs_set_chase(7);
        editchs_set_test_rate(StoredDuration(2));
        editchs_open(backdrop);
        if (testing) editchs_key(kKeyF9, 0);  // the chase on stage
        DmxFrame frame{};
        for (int i = 0; i < 10; ++i) g_engine.step(frame);
        editchs_draw();
    }
    ~ChaseEditorOnFullShow() {
        editchs_close();
        g_env = nullptr;
    }
    EnvSettings env;
};

// A redraw while nothing changes: the cost of every quiet tick, and the
// number of cells that changed.
void BM_EditchsDrawSteady(benchmark::State& state) {
    ChaseEditorOnFullShow ed(false);
    const BenchScreen::Cells before = ed.cells();
    const long invalidations = ed.host.invalidations;
    for (auto _ : state) editchs_draw();
    state.counters["changed_cells"] = static_cast<double>(ed.changed_since(before));
    state.counters["invalidations"] = static_cast<double>(ed.host.invalidations - invalidations);
}
BENCHMARK(BM_EditchsDrawSteady);

// A redraw after each engine step while the test plays (the marked step
// and the status move); the step itself is not timed.
void BM_EditchsDrawTesting(benchmark::State& state) {
    ChaseEditorOnFullShow ed(true);
    DmxFrame frame{};
    for (auto _ : state) {
        state.PauseTiming();
        g_engine.step(frame);
        state.ResumeTiming();
        editchs_draw();
    }
}
BENCHMARK(BM_EditchsDrawTesting);

}  // namespace
}  // namespace prismel::bench
